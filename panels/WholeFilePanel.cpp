#include "WholeFilePanel.h"

#include "LatticeDocument.h"
#include "MyQuibView.h"
#include "RecordsText.h"
#include "WholeFileCanvas.h"

namespace quib {

WholeFilePanel::WholeFilePanel(CMyQuibView& view, const QString& title, QWidget* parent)
    : QDockWidget(title, parent), m_view(view) {
    setFocusPolicy(Qt::NoFocus);
    connect(&view, &CMyQuibView::Changed, this, &WholeFilePanel::OnChanged);
    connect(this, &QDockWidget::visibilityChanged, this, &WholeFilePanel::OnVisibilityChanged);
}

void WholeFilePanel::SetBody(QWidget* body, WholeFileCanvas* canvas) {
    setWidget(body);
    m_canvas = canvas;
    connect(canvas, &WholeFileCanvas::RecordChosen, &m_view, &CMyQuibView::ShowRecord);
}

void WholeFilePanel::Refresh() {
    if (isVisible())
        BuildFor(m_view.Snapshot(), m_view.Options().values);
    MoveMarker();
}

void WholeFilePanel::SayReading(const QString& what) {
    m_canvas->SetPlaceholder(QStringLiteral("Reading %1 records for %2...")
                                 .arg(CountText(m_view.Data().m_primaryRecords.GetSize()), what));
}

void WholeFilePanel::SayNoMemory(const QString& what) {
    m_canvas->SetPlaceholder(QStringLiteral("There is not enough memory for %1.").arg(what));
}

void WholeFilePanel::MoveMarker() {
    const int records = m_view.Data().m_primaryRecords.GetSize();
    const int record = m_view.RecordIndex();
    m_canvas->SetRecord(record < records ? record : -1);
}

void WholeFilePanel::OnChanged(ViewChanges what) {
    if (what & ViewChange::Document)
        DatasetsChanged();
    if (what & (ViewChange::Document | ViewChange::Values))
        Refresh();
    else if (what & ViewChange::Record)
        MoveMarker();
}

void WholeFilePanel::OnVisibilityChanged(bool visible) {
    if (visible)
        Refresh();
    else if (isHidden())
        Forget();
}

} // namespace quib
