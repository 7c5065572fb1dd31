#include "WholeFilePanel.h"

#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "RecordsText.h"
#include "WholeFileCanvas.h"

namespace quib {

WholeFilePanel::WholeFilePanel(CMyQuibView& view, const QString& title, QWidget* parent)
    : QDockWidget(title, parent), m_view(view) {
    setFocusPolicy(Qt::NoFocus);
    connect(&view, &CMyQuibView::DocumentChanged, this, &WholeFilePanel::OnDocumentChanged);
    connect(&view, &CMyQuibView::DisplayChanged, this, &WholeFilePanel::OnDisplayChanged);
    connect(this, &QDockWidget::visibilityChanged, this, &WholeFilePanel::OnVisibilityChanged);
}

void WholeFilePanel::SetBody(QWidget* body, WholeFileCanvas* canvas) {
    setWidget(body);
    m_canvas = canvas;
    connect(canvas, &WholeFileCanvas::RecordChosen, &m_view, &CMyQuibView::ShowRecord);
}

const LatticeDocument& WholeFilePanel::Document() const {
    return *m_view.GetDocument();
}

void WholeFilePanel::Refresh() {
    if (isVisible())
        BuildFor(m_generation, m_view.Options().values);
    MoveMarker();
}

void WholeFilePanel::SayReading(const QString& what) {
    m_canvas->SetPlaceholder(QStringLiteral("Reading %1 records for %2...")
                                 .arg(CountText(Document().m_primaryRecords.GetSize()), what));
}

void WholeFilePanel::SayNoMemory(const QString& what) {
    m_canvas->SetPlaceholder(QStringLiteral("There is not enough memory for %1.").arg(what));
}

void WholeFilePanel::MoveMarker() {
    const int records = Document().m_primaryRecords.GetSize();
    const int record = m_view.Options().record;
    m_canvas->SetRecord(record < records ? record : -1);
}

void WholeFilePanel::OnDocumentChanged() {
    ++m_generation;
    DocumentChanged();
    Refresh();
}

void WholeFilePanel::OnDisplayChanged() {
    Refresh();
}

void WholeFilePanel::OnVisibilityChanged(bool visible) {
    if (visible)
        Refresh();
    else if (isHidden())
        Forget();
}

} // namespace quib
