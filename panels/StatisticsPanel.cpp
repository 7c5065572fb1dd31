#include "StatisticsPanel.h"

#include "LatticeDocument.h"
#include "LatticeTables.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "PictureCanvas.h"
#include "PictureOut.h"
#include "RecordFinder.h"
#include "RecordsText.h"
#include "StatisticsInParts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quib {

namespace {

struct RunItem {
    StatisticsRun run;
    const char* text;
    const char* caption; // after the statistic's name
};
constexpr RunItem kRunItems[] = {{StatisticsRun::Primary, "Primary run", ""},
                                 {StatisticsRun::Imported, "Imported run", " of the imported run"},
                                 {StatisticsRun::Difference, "Difference", " of the difference"}};

constexpr const char* kStatisticTips[kStatisticCount] = {
    "The mean of the values present", "The least value present", "The largest value present",
    "How many of the records have a value above 0",
    "How many of the records have the node minimal"};

struct CoverageItem {
    StatisticsPanel::Coverage coverage;
    const char* text;
    const char* tip;
};
constexpr CoverageItem kCoverageItems[] = {
    {StatisticsPanel::Coverage::All, "All records", "Every record of the file"},
    {StatisticsPanel::Coverage::Matches, "Matches",
     "The records that the find bar's condition matches"},
    {StatisticsPanel::Coverage::Range, "Positions", "The records at the positions given"}};

// "1 record", "320,000 records".
QString Records(long long count) {
    return CountText(count) + (count == 1 ? QStringLiteral(" record") : QStringLiteral(" records"));
}

// The view keeps the keyboard: the arrow keys step through records.
template <class Widget> Widget* Unfocused(Widget* widget) {
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

} // namespace

StatisticsPanel::StatisticsPanel(CMyQuibView& view, RecordFinder& finder, QWidget* parent)
    : QDockWidget(QStringLiteral("Statistics"), parent), m_view(view), m_finder(finder),
      m_canvas(new PictureCanvas), m_statistic(Unfocused(new QComboBox)),
      m_run(Unfocused(new QComboBox)), m_first(new QSpinBox), m_last(new QSpinBox),
      m_copy(Unfocused(new QPushButton(QStringLiteral("Copy")))),
      m_export(Unfocused(new QPushButton(QStringLiteral("Export...")))),
      m_work(this, [this](auto statistics, auto) { Computed(std::move(statistics)); }) {
    setObjectName(QStringLiteral("statisticsPanel"));
    setFocusPolicy(Qt::NoFocus);
    m_canvas->setObjectName(QStringLiteral("statisticsCanvas"));
    for (int k = 0; k < kStatisticCount; ++k) {
        m_statistic->addItem(QString::fromLatin1(StatisticName(Statistic(k))));
        m_statistic->setItemData(k, QString::fromLatin1(kStatisticTips[k]), Qt::ToolTipRole);
    }
    for (const RunItem& choice : kRunItems)
        m_run->addItem(QString::fromLatin1(choice.text));
    m_statistic->setAccessibleName(QStringLiteral("Statistic"));
    m_run->setAccessibleName(QStringLiteral("Run"));
    connect(m_statistic, &QComboBox::currentIndexChanged, this, &StatisticsPanel::Draw);
    connect(m_run, &QComboBox::currentIndexChanged, this, &StatisticsPanel::Draw);

    auto* coverage = new QGridLayout;
    auto* group = new QButtonGroup(this);
    for (const CoverageItem& choice : kCoverageItems) {
        auto* button = Unfocused(new QRadioButton(QString::fromLatin1(choice.text)));
        button->setToolTip(QString::fromLatin1(choice.tip));
        group->addButton(button);
        m_coverage[int(choice.coverage)] = button;
        connect(button, &QRadioButton::toggled, this, [this, covers = choice.coverage](bool on) {
            if (on)
                ChooseCoverage(covers);
        });
    }
    m_coverage[int(Coverage::All)]->setChecked(true);
    m_coverage[int(Coverage::Matches)]->setEnabled(false);
    for (QSpinBox* box : {m_first, m_last}) {
        // Told once a number is entered, not at each digit.
        box->setKeyboardTracking(false);
        box->setGroupSeparatorShown(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setRange(1, 1);
        connect(box, &QSpinBox::valueChanged, this, [this] {
            m_first->setMaximum(std::max(1, m_last->value()));
            m_last->setMinimum(m_first->value());
            if (m_covers == Coverage::Range)
                Refresh();
            else
                m_coverage[int(Coverage::Range)]->setChecked(true);
        });
        // Then back to the records.
        connect(box, &QSpinBox::editingFinished, &view, [shown = &view] { shown->setFocus(); });
    }
    m_first->setAccessibleName(QStringLiteral("First position"));
    m_last->setAccessibleName(QStringLiteral("Last position"));

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_statistic);
    choices->addWidget(new QLabel(QStringLiteral("of")));
    choices->addWidget(m_run);
    choices->addStretch();
    coverage->addWidget(m_coverage[int(Coverage::All)], 0, 0);
    coverage->addWidget(m_coverage[int(Coverage::Matches)], 0, 1);
    auto* range = new QHBoxLayout;
    range->addWidget(m_coverage[int(Coverage::Range)]);
    range->addWidget(m_first);
    range->addWidget(new QLabel(QStringLiteral("to")));
    range->addWidget(m_last);
    range->addStretch();
    coverage->addLayout(range, 1, 0, 1, 3);
    coverage->setColumnStretch(2, 1);
    auto* out = new QHBoxLayout;
    out->addStretch();
    out->addWidget(m_copy);
    out->addWidget(m_export);
    connect(m_copy, &QPushButton::clicked, this, &StatisticsPanel::Copy);
    connect(m_export, &QPushButton::clicked, this, &StatisticsPanel::Export);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 2, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(choices);
    layout->addLayout(coverage);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(out);
    setWidget(body);

    connect(&view, &CMyQuibView::Changed, this, &StatisticsPanel::OnViewChanged);
    connect(this, &QDockWidget::visibilityChanged, this, &StatisticsPanel::OnVisibilityChanged);
    connect(&finder, &RecordFinder::ConditionChanged, this, &StatisticsPanel::OnConditionChanged);
    FitRange();
    Draw();
}

QString StatisticsPanel::Text() const {
    if (!m_shown)
        return {};
    QString text = QString::fromStdString(m_texts.caption) + QLatin1Char('\n');
    for (int node = 0; node < kNodeCount; ++node)
        text += QStringLiteral("%1 %2\n").arg(QString::fromLatin1(DisplayLabel(node)),
                                              QString::fromStdString(m_texts.nodes[node]));
    return text;
}

void StatisticsPanel::OnViewChanged(ViewChanges what) {
    if (what & ViewChange::Document)
        FitRange();
    if (what & (ViewChange::Document | ViewChange::Values))
        Refresh();
    else if (what & (ViewChange::Scale | ViewChange::Font))
        Draw();
}

// It opens on the matches where a condition has been given, on all records
// otherwise; closed, it forgets its figures.
void StatisticsPanel::OnVisibilityChanged(bool visible) {
    if (visible && !m_open) {
        m_open = true;
        m_coverage[int(m_finder.HasCondition() ? Coverage::Matches : Coverage::All)]->setChecked(
            true);
        Refresh();
    } else if (!visible && isHidden()) {
        m_open = false;
        m_work.Stop();
        m_inputs.reset();
        m_shown.reset();
        Draw();
    }
}

// A new condition is followed while the panel covers the matches.
void StatisticsPanel::OnConditionChanged() {
    m_coverage[int(Coverage::Matches)]->setEnabled(true);
    if (m_covers == Coverage::Matches)
        Refresh();
}

void StatisticsPanel::ChooseCoverage(Coverage coverage) {
    m_covers = coverage;
    Refresh();
}

// The range's bounds are the records' positions; a range that reached the
// last record still does when records are added.
void StatisticsPanel::FitRange() {
    const int records = std::max(1, m_view.Data().m_primaryRecords.GetSize());
    const bool toEnd = m_last->value() == m_last->maximum();
    const QSignalBlocker blockFirst(m_first);
    const QSignalBlocker blockLast(m_last);
    m_first->setRange(1, records);
    m_last->setRange(m_first->value(), records);
    if (toEnd)
        m_last->setValue(records);
    m_first->setMaximum(m_last->value());
}

void StatisticsPanel::Refresh() {
    if (!m_open)
        return;
    std::shared_ptr<const LatticeDocument> data = m_view.Snapshot();
    const bool range = m_covers == Coverage::Range;
    const bool matches = m_covers == Coverage::Matches && m_finder.HasCondition();
    Inputs inputs{data,
                  m_view.Options().values,
                  m_covers,
                  matches ? m_finder.ConditionSerial() : 0,
                  range ? m_first->value() : 1,
                  range ? m_last->value() : INT_MAX};
    if (m_inputs == inputs)
        return;
    m_inputs = inputs;
    m_conditionText = matches ? m_finder.ConditionText() : QString();
    if (!m_shown)
        m_canvas->SetPlaceholder(QStringLiteral("Reading %1 for the statistics...")
                                     .arg(Records(data->m_primaryRecords.GetSize())));
    std::optional<Condition> condition;
    if (matches)
        condition = m_finder.LastCondition();
    m_work.Start(data, [condition = std::move(condition), inputs](const LatticeDocument& shown) {
        return ComputeStatisticsInParts(
            shown, {inputs.first, inputs.last, condition ? &*condition : nullptr}, inputs.values);
    });
}

void StatisticsPanel::Computed(std::shared_ptr<const RecordStatistics> statistics) {
    if (statistics == nullptr) {
        m_shown.reset();
        m_canvas->SetPlaceholder(QStringLiteral("There is not enough memory for the statistics."));
    } else {
        m_shown = Shown{std::move(statistics), *m_inputs, m_conditionText};
    }
    Draw();
}

StatisticsRun StatisticsPanel::Run() const {
    return kRunItems[std::max(0, m_run->currentIndex())].run;
}

void StatisticsPanel::Draw() {
    // The imported run and the difference need an import.
    const bool imported = m_shown && m_shown->statistics->runCount > 1;
    m_run->setEnabled(imported);
    if (!imported && m_run->currentIndex() != 0)
        return m_run->setCurrentIndex(0); // which draws
    m_copy->setEnabled(m_shown.has_value());
    m_export->setEnabled(m_shown.has_value());
    if (!m_shown) {
        m_texts = {};
        if (!m_work.Running())
            m_canvas->SetPlaceholder(QString());
        return;
    }
    const Statistic statistic = Statistic(std::max(0, m_statistic->currentIndex()));
    const StatisticsRun run = Run();
    m_texts.caption = Caption().toStdString();
    for (int node = 0; node < kNodeCount; ++node)
        m_texts.nodes[node] = StatisticText(m_shown->statistics->At(run, node), statistic, run);
    m_canvas->SetPicture([this](CDC* surface) { return Pages().make(0, surface); });
    m_canvas->setAccessibleName(QString::fromStdString(m_texts.caption));
}

// "Mean over 1,204 of 320,000 records: minimal(ab)"
QString StatisticsPanel::Caption() const {
    const Shown& shown = *m_shown;
    const QString what =
        QString::fromLatin1(StatisticName(Statistic(m_statistic->currentIndex()))) +
        QString::fromLatin1(kRunItems[int(Run())].caption);
    const int records = shown.inputs.data->m_primaryRecords.GetSize();
    const int selected = shown.statistics->selected;
    switch (shown.inputs.coverage) {
    case Coverage::All:
        return QStringLiteral("%1 over %2").arg(what, Records(records));
    case Coverage::Matches:
        if (!shown.condition.isEmpty())
            return QStringLiteral("%1 over %2 of %3: %4")
                .arg(what, CountText(selected), Records(records), shown.condition);
        return QStringLiteral("%1 over %2 (no condition given)").arg(what, Records(records));
    case Coverage::Range:
        break;
    }
    return QStringLiteral("%1 over %2 of %3: positions %4 to %5")
        .arg(what, CountText(selected), Records(records), CountText(shown.inputs.first),
             CountText(shown.inputs.last));
}

// The picture as the view's scale and font draw it, without the view's
// highlights, which are of one record.
PicturePages StatisticsPanel::Pages() const {
    PictureOptions options = m_view.Options();
    options.highlight = false;
    options.differences = false;
    return {1, [texts = m_texts, options](int, CDC* surface) {
                return LatticePicture(texts, options, surface);
            }};
}

void StatisticsPanel::Copy() {
    CopyPicture(Pages(), logicalDpiX(), Text());
}

// Offered beside the data file, named after it.
void StatisticsPanel::Export() {
    const CMyQuibDoc* document = m_view.GetDocument();
    ExportPicture(this, Pages(),
                  SuggestedPictureName(document->GetPathName(), QStringLiteral("statistics"),
                                       QStringLiteral("statistics")),
                  document->DataFiles());
}

} // namespace quib
