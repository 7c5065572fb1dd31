#pragma once

// The application with a file open, its view's paints counted and its tones
// recorded, to check what each view command repaints and sounds.

#include "AppFixture.h"
#include "Beep.h"
#include "MyQuibView.h"

#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Counts the paint events that reach a widget outside any event loop
// entered since the count began: those of a command itself, not those the
// platform makes while the command's dialog is up.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget);
    int Count() const { return m_count; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int m_count = 0;
    int m_loopLevel;
};

class ToneRecorder : public ToneOutput {
  public:
    void Play(int frequencyHz, int durationMs) override {
        m_tones.emplace_back(frequencyHz, durationMs);
    }
    std::vector<std::pair<int, int>> m_tones;
};

// What one command changed: paints and tones made while it ran.
struct CommandEffect {
    int paints;
    std::vector<std::pair<int, int>> tones;
};

inline const std::pair<int, int> kEndTone{500, 50};
inline const std::pair<int, int> kScaleTone{400, 100};

class ViewCommandFixture : public AppFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program on FILE (none: no data) and starts counting.
    void StartCounting(const QString& file = QString());
    CMyQuibView* View() const;
    // Runs the command as its menu item does; the paints counted are those
    // it made itself before it returned.
    CommandEffect Run(UINT id);
    // The same for a key pressed on the view.
    CommandEffect PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Anything else that ends in view commands, and the reads and the steps
    // of a find it asks for.
    CommandEffect Measure(const std::function<void()>& action);

    ToneRecorder m_tones;
    std::unique_ptr<PaintCounter> m_paints;
};
