#include "OverviewCanvas.h"

#include "LatticeDocument.h"
#include "LatticeTables.h"
#include "RecordsText.h"

#include <algorithm>

namespace quib {

OverviewCanvas::OverviewCanvas(QWidget* parent) : WholeFileCanvas(parent) {}

void OverviewCanvas::SetOverview(std::shared_ptr<const Overview> overview,
                                 std::shared_ptr<const LatticeDocument> data) {
    m_overview = std::move(overview);
    m_data = std::move(data);
    m_figure.reset();
    Invalidate();
}

bool OverviewCanvas::LayOut(const QRect& area) {
    m_figure.reset();
    if (m_overview == nullptr)
        return false;
    m_figure.emplace(*m_overview, area);
    return true;
}

void OverviewCanvas::PaintFigure(QPainter& painter) const {
    m_figure->Paint(painter);
}

void OverviewCanvas::PaintMarker(QPainter& painter, int record) const {
    m_figure->PaintMarker(painter, record);
}

QRect OverviewCanvas::MarkerArea(int record) const {
    return m_figure->MarkerArea(record);
}

// A click starts on the cells (or just beside them); a drag follows the
// mouse's column wherever it goes, the ends of the file beyond the cells.
int OverviewCanvas::RecordAt(QPoint point, bool dragging) const {
    const QRect cells = m_figure->Cells();
    if (m_figure->Columns().Count() == 0 ||
        (!dragging && !cells.adjusted(-3, -6, 3, 6).contains(point)))
        return -1;
    const int x = std::clamp(point.x(), cells.left(), cells.right());
    return m_figure->Columns().Records(m_figure->ColumnAt(QPoint(x, cells.top()))).first;
}

QString OverviewCanvas::DescribeCell(int column, int node) const {
    const OverviewColumns& columns = m_figure->Columns();
    const QString label = QString::fromLatin1(DisplayLabel(node));
    const RecordRun run = columns.Records(column);
    if ((m_overview->AbsentNodes() >> node) & 1)
        return label + QStringLiteral(": not in the file");
    if (columns.AllMissing(column, node)) {
        const bool single = run.end - run.first == 1;
        if (single && m_overview->Mode() != OverviewMode::Primary &&
            m_data->ImportedPartner(run.first) == kNoPartner)
            return label + QStringLiteral(": no partner");
        return label +
               (single ? QStringLiteral(": / (missing)") : QStringLiteral(": / (all missing)"));
    }
    QString text = label + QStringLiteral(": ") + QString::number(columns.Value(column, node));
    if (run.end - run.first > 1)
        text += QStringLiteral(", the largest in magnitude");
    if (columns.SomeMissing(column, node))
        text += QStringLiteral("; some missing");
    return text;
}

QString OverviewCanvas::Describe(QPoint point) const {
    const int column = m_figure->ColumnAt(point);
    if (column < 0)
        return {};
    QString text = RecordsText(*m_data, m_figure->Columns().Records(column));
    if (const int node = m_figure->NodeAt(point); node >= 0)
        text += QLatin1Char('\n') + DescribeCell(column, node);
    return text + QLatin1Char('\n') + QString::fromUtf8(OverviewModeTitle(m_overview->Mode())) +
           QString::fromUtf8(ValueTransformTitle(m_overview->Transform()));
}

} // namespace quib
