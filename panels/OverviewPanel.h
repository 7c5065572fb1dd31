#pragma once

// The overview panel: the whole file at a glance below the view, in one of
// three modes (the primary run, the imported run, their difference; the
// last two only with an import), the values as the view shows them.

#include "OverviewMode.h"
#include "SnapshotWork.h"
#include "WholeFilePanel.h"

#include "Overview.h"

#include <optional>

class QRadioButton;

namespace quib {

class OverviewCanvas;

class OverviewPanel : public WholeFilePanel {
    Q_OBJECT

  public:
    explicit OverviewPanel(CMyQuibView& view, QWidget* parent = nullptr);

    OverviewMode Mode() const { return m_mode; }
    // The mode's button, as a person clicks it.
    QRadioButton* ModeButton(OverviewMode mode) const { return m_modeButtons[int(mode)]; }
    OverviewCanvas* OverviewView() const { return m_canvas; }
    bool Building() const override { return m_overview.Running(); }

  protected:
    void BuildFor(const std::shared_ptr<const LatticeDocument>& data,
                  ValueTransform values) override;
    void Forget() override;
    void DatasetsChanged() override;

  private:
    struct Inputs {
        std::shared_ptr<const LatticeDocument> data;
        ValueTransform values;
        OverviewMode mode;
        friend bool operator==(const Inputs&, const Inputs&) = default;
    };
    void ChooseMode(OverviewMode mode);
    void Built(std::shared_ptr<const Overview> overview,
               std::shared_ptr<const LatticeDocument> data);

    OverviewCanvas* m_canvas;
    QRadioButton* m_modeButtons[3];
    OverviewMode m_mode = OverviewMode::Primary;
    SnapshotWork<Overview> m_overview;
    // What the result or the build under way is of.
    std::optional<Inputs> m_inputs;
};

} // namespace quib
