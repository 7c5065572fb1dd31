#pragma once

#include <QObject>

class CMyQuibView;
class QAction;
class QMenu;

namespace quib {

// Reload: F5 on the view and the context menu's "Reload" read the open file
// and its imports again, the position kept where the file is still long
// enough. A reload that fails is told as a failed File Open is, and the
// document stays as it was.
class ReloadCommand : public QObject {
    Q_OBJECT

  public:
    explicit ReloadCommand(CMyQuibView& view);

    void Reload();

  protected:
    // The view's F5.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddMenuItem(QMenu& menu);

    CMyQuibView& m_view;
    QAction* m_reload;
};

} // namespace quib
