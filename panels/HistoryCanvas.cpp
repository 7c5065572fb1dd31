#include "HistoryCanvas.h"

#include "LatticeDocument.h"
#include "LatticeTables.h"
#include "RecordsText.h"

#include <algorithm>

namespace quib {

HistoryCanvas::HistoryCanvas(QWidget* parent) : WholeFileCanvas(parent) {}

void HistoryCanvas::SetHistory(std::shared_ptr<const NodeHistory> history,
                               std::shared_ptr<const LatticeDocument> data) {
    m_history = std::move(history);
    m_data = std::move(data);
    m_plot.reset();
    Invalidate();
}

bool HistoryCanvas::LayOut(const QRect& area) {
    m_plot.reset();
    if (m_history == nullptr)
        return false;
    m_plot.emplace(*m_history, m_data->m_nImportedDim > 0, area);
    return true;
}

void HistoryCanvas::PaintFigure(QPainter& painter) const {
    m_plot->Paint(painter);
}

void HistoryCanvas::PaintMarker(QPainter& painter, int record) const {
    m_plot->PaintMarker(painter, record);
}

QRect HistoryCanvas::MarkerArea(int record) const {
    return m_plot->MarkerArea(record);
}

// A click starts on the plot; a drag follows the mouse's column wherever it
// goes.
int HistoryCanvas::RecordAt(QPoint point, bool dragging) const {
    const QRect plot = m_plot->Plot();
    if (m_plot->Columns().Count() == 0 ||
        (!dragging && !plot.adjusted(-3, 0, 3, 0).contains(point)))
        return -1;
    const int x = std::clamp(point.x(), plot.left(), plot.right());
    return m_plot->Columns().Records(m_plot->ColumnAt(QPoint(x, plot.top()))).first;
}

QString HistoryCanvas::DescribeRun(int column, HistoryRun run) const {
    const QString name =
        run == HistoryRun::Primary ? QStringLiteral("primary: ") : QStringLiteral("imported: ");
    const ValueSpan& span = m_plot->Columns().Span(column, run);
    const RecordRun records = m_plot->Columns().Records(column);
    if (span.Empty()) {
        const bool single = records.end - records.first == 1;
        if (single && run == HistoryRun::Imported &&
            m_data->ImportedPartner(records.first) == kNoPartner)
            return name + QStringLiteral("no partner");
        return name + QStringLiteral("/ (missing)");
    }
    if (span.least == span.largest)
        return name + QString::number(span.least);
    return name + QStringLiteral("%1 to %2").arg(span.least).arg(span.largest);
}

QString HistoryCanvas::Describe(QPoint point) const {
    const int column = m_plot->ColumnAt(point);
    if (column < 0 || point.y() < m_plot->Plot().top() || point.y() > m_plot->Plot().bottom())
        return {};
    QString text = RecordsText(*m_data, m_plot->Columns().Records(column)) + QStringLiteral(", ") +
                   QString::fromLatin1(DisplayLabel(m_history->Node())) +
                   QString::fromUtf8(ValueTransformTitle(m_history->Transform())) +
                   QLatin1Char('\n') + DescribeRun(column, HistoryRun::Primary);
    if (m_plot->ShowsImported())
        text += QLatin1Char('\n') + DescribeRun(column, HistoryRun::Imported);
    return text;
}

} // namespace quib
