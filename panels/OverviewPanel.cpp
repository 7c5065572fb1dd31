#include "OverviewPanel.h"

#include "LatticeDocument.h"
#include "OverviewCanvas.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quib {

namespace {

struct ModeChoice {
    OverviewMode mode;
    const char* text;
    const char* tip;
};
constexpr ModeChoice kModeChoices[] = {
    {OverviewMode::Primary, "Primary", "The values of the file opened"},
    {OverviewMode::Imported, "Imported", "The values of each record's imported partner"},
    {OverviewMode::Difference, "Difference",
     "Imported minus primary, where a record has a partner"}};

const QString kWhat = QStringLiteral("the overview");

} // namespace

OverviewPanel::OverviewPanel(CMyQuibView& view, QWidget* parent)
    : WholeFilePanel(view, QStringLiteral("Overview"), parent), m_canvas(new OverviewCanvas),
      m_overview(this, [this](auto overview, auto data) { Built(overview, data); }) {
    setObjectName(QStringLiteral("overviewPanel"));
    auto* body = new QWidget;
    auto* modes = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (const ModeChoice& choice : kModeChoices) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.text));
        button->setToolTip(QString::fromLatin1(choice.tip));
        // The view keeps the keyboard: the arrow keys step through records.
        button->setFocusPolicy(Qt::NoFocus);
        group->addButton(button);
        modes->addWidget(button);
        m_modeButtons[int(choice.mode)] = button;
        connect(button, &QRadioButton::toggled, this, [this, mode = choice.mode](bool on) {
            if (on)
                ChooseMode(mode);
        });
    }
    modes->addStretch();
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 2, 6, 6);
    layout->setSpacing(2);
    layout->addLayout(modes);
    layout->addWidget(m_canvas, 1);
    SetBody(body, m_canvas);
    m_modeButtons[int(OverviewMode::Primary)]->setChecked(true);
    DatasetsChanged();
}

void OverviewPanel::ChooseMode(OverviewMode mode) {
    m_mode = mode;
    Refresh();
}

// The imported run and the difference need an import; without one the
// primary run is shown.
void OverviewPanel::DatasetsChanged() {
    const bool imported = View().Data().m_nImportedDim > 0;
    for (const OverviewMode mode : {OverviewMode::Imported, OverviewMode::Difference})
        m_modeButtons[int(mode)]->setEnabled(imported);
    if (!imported && m_mode != OverviewMode::Primary)
        m_modeButtons[int(OverviewMode::Primary)]->setChecked(true);
}

void OverviewPanel::BuildFor(const std::shared_ptr<const LatticeDocument>& data,
                             ValueTransform values) {
    Inputs inputs{data, values, m_mode};
    if (m_inputs == inputs)
        return;
    m_inputs = std::move(inputs);
    SayReading(kWhat);
    m_overview.Start(data, [mode = m_mode, values](const LatticeDocument& shown) {
        return Overview(shown, mode, values);
    });
}

void OverviewPanel::Built(std::shared_ptr<const Overview> overview,
                          std::shared_ptr<const LatticeDocument> data) {
    if (overview == nullptr)
        SayNoMemory(kWhat);
    m_canvas->SetOverview(std::move(overview), std::move(data));
}

void OverviewPanel::Forget() {
    m_inputs.reset();
    m_overview.Stop();
    m_canvas->SetOverview(nullptr, nullptr);
}

} // namespace quib
