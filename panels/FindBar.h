#pragma once

#include "Condition.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quib {

class RecordFinder;

// The find bar: a line for the condition, "Previous" and "Next", and a line
// that tells how many records match or what is wrong with the condition.
// Enter goes to the next match, Shift+Enter to the previous one (as do F3 and
// Shift+F3, the window's keys); Escape asks to close the bar.
// A well-formed condition goes to the finder once typing pauses, or at once
// when a find needs it.
class FindBar : public QWidget {
    Q_OBJECT

  public:
    explicit FindBar(RecordFinder& finder, QWidget* parent = nullptr);

    // The focus in the condition's line, its text selected.
    void Activate();
    // The condition typed, where it is well formed and the finder does not
    // have it yet, handed to it now.
    void Commit();
    // To the next or previous match of the condition typed; nothing moves
    // while it is malformed.
    void FindNext();
    void FindPrevious();

  signals:
    void closeRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnTextChanged();
    void SetWellFormed(bool wellFormed);
    void ShowCount();
    void ShowStatus(const QString& text, bool isError);

    RecordFinder& m_finder;
    QLineEdit* m_condition;
    QPushButton* m_previous;
    QPushButton* m_next;
    QLabel* m_status;
    // A well-formed condition typed but not yet handed on.
    std::optional<Condition> m_pending;
    QString m_pendingText;
    bool m_wellFormed = false;
    QTimer m_typingPause;
};

// "1,204 of 320,000 records match": digits grouped by commas, the same in
// every locale.
QString MatchCountText(int matches, int records);

} // namespace quib
