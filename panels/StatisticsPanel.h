#pragma once

// The statistics panel, docked beside the view: the lattice drawn with a
// figure over many records at each node (the mean, least, largest, how
// many positive, how many minimal) of the primary run, the imported one or
// their difference, over all records, the find bar's matches or a range of
// positions. Computed on a worker from the datasets shown; closed, it holds
// nothing and reads nothing.

#include "PictureFile.h"
#include "RecordStatistics.h"
#include "SnapshotWork.h"
#include "StatisticText.h"
#include "ViewChanges.h"

#include <QDockWidget>

#include <climits>
#include <optional>

class CMyQuibView;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quib {

class PictureCanvas;
class RecordFinder;

class StatisticsPanel : public QDockWidget {
    Q_OBJECT

  public:
    // The records covered.
    enum class Coverage { All, Matches, Range };

    StatisticsPanel(CMyQuibView& view, RecordFinder& finder, QWidget* parent = nullptr);

    // The panel's parts, as a person uses them.
    PictureCanvas* Canvas() const { return m_canvas; }
    QComboBox* StatisticChoice() const { return m_statistic; }
    QComboBox* RunChoice() const { return m_run; }
    QRadioButton* CoverageButton(Coverage coverage) const { return m_coverage[int(coverage)]; }
    QSpinBox* RangeFirst() const { return m_first; }
    QSpinBox* RangeLast() const { return m_last; }
    bool Building() const { return m_work.Running(); }
    // What the panel shows: its caption, then a line per node, "ab 12.5".
    QString Text() const;

  private:
    // What a computation is of.
    struct Inputs {
        std::shared_ptr<const LatticeDocument> data;
        ValueTransform values;
        Coverage coverage;
        unsigned condition; // the condition's serial, while covering the matches
        int first;
        int last;
        friend bool operator==(const Inputs&, const Inputs&) = default;
    };
    // A computation's result and what it is of.
    struct Shown {
        std::shared_ptr<const RecordStatistics> statistics;
        Inputs inputs;
        QString condition;
    };

    void OnViewChanged(ViewChanges what);
    void OnVisibilityChanged(bool visible);
    void OnConditionChanged();
    void ChooseCoverage(Coverage coverage);
    void FitRange();
    // Computes anew where the inputs changed, while the panel is open.
    void Refresh();
    void Computed(std::shared_ptr<const RecordStatistics> statistics);
    // Draws the figures computed as the panel's choices and the view's
    // scale and font ask.
    void Draw();
    StatisticsRun Run() const;
    QString Caption() const;
    PicturePages Pages() const;
    void Copy();
    void Export();

    CMyQuibView& m_view;
    RecordFinder& m_finder;
    PictureCanvas* m_canvas;
    QComboBox* m_statistic;
    QComboBox* m_run;
    QRadioButton* m_coverage[3];
    QSpinBox* m_first;
    QSpinBox* m_last;
    QPushButton* m_copy;
    QPushButton* m_export;
    Coverage m_covers = Coverage::All;
    bool m_open = false;
    SnapshotWork<RecordStatistics> m_work;
    // The computation under way or done, and its condition's text.
    std::optional<Inputs> m_inputs;
    QString m_conditionText;
    std::optional<Shown> m_shown;
    LatticeTexts m_texts;
};

} // namespace quib
