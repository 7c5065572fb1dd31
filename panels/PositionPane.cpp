#include "PositionPane.h"

#include "MyQuibDoc.h"
#include "MyQuibView.h"

namespace quib {

PositionPane::PositionPane(const CMyQuibView& view, QWidget* parent)
    : QLabel(parent), m_view(view) {
    setObjectName(QStringLiteral("positionPane"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(&view, &CMyQuibView::DocumentChanged, this, &PositionPane::Follow);
    connect(&view, &CMyQuibView::DisplayChanged, this, &PositionPane::Follow);
    Follow();
}

void PositionPane::Follow() {
    const CMyQuibDoc* document = m_view.GetDocument();
    const int records = document != nullptr ? document->m_primaryRecords.GetSize() : 0;
    QString text = records == 0 ? QStringLiteral("No records")
                                : QStringLiteral("Record %L1 of %L2")
                                      .arg(std::min(m_view.m_nRecordIndex + 1, records))
                                      .arg(records);
    if (document != nullptr && document->m_nImportedDim > 0) {
        const int unpaired = document->UnpairedImportedCount();
        text += unpaired == 1
                    ? QStringLiteral(" \u00b7 1 imported record without partner")
                    : QStringLiteral(" \u00b7 %L1 imported records without partner").arg(unpaired);
    }
    setText(text);
}

} // namespace quib
