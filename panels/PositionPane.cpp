#include "PositionPane.h"

#include "LatticeDocument.h"
#include "MyQuibView.h"

namespace quib {

PositionPane::PositionPane(const CMyQuibView& view, QWidget* parent)
    : QLabel(parent), m_view(view) {
    setObjectName(QStringLiteral("positionPane"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(&view, &CMyQuibView::Changed, this, [this](ViewChanges what) {
        if (what & (ViewChange::Record | ViewChange::Document))
            Follow();
    });
    Follow();
}

void PositionPane::Follow() {
    const LatticeDocument& data = m_view.Data();
    const int records = data.m_primaryRecords.GetSize();
    QString text = records == 0 ? QStringLiteral("No records")
                                : QStringLiteral("Record %L1 of %L2")
                                      .arg(std::min(m_view.RecordIndex() + 1, records))
                                      .arg(records);
    if (data.m_nImportedDim > 0) {
        const int unpaired = data.UnpairedImportedCount();
        text += unpaired == 1
                    ? QStringLiteral(" \u00b7 1 imported record without partner")
                    : QStringLiteral(" \u00b7 %L1 imported records without partner").arg(unpaired);
    }
    setText(text);
}

} // namespace quib
