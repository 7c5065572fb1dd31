#include "HistoryPlot.h"

#include "LatticeTables.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quib {

const QColor HistoryPlot::kPrimaryColour(31, 94, 170);
const QColor HistoryPlot::kImportedColour(224, 118, 16);

namespace {

const QColor kFrameColour(160, 160, 160);
const QColor kGridColour(232, 232, 232);
const QColor kZeroColour(170, 170, 170);

QFont PlotFont(const QRect& area) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::clamp(area.height() / 22, 9, 12));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double Middle(const ValueSpan& span) {
    return (double(span.least) + double(span.largest)) / 2;
}

} // namespace

HistoryPlot::HistoryPlot(const NodeHistory& history, bool imported, const QRect& area)
    : m_node(history.Node()), m_transform(history.Transform()), m_imported(imported),
      m_records(history.Records()), m_font(PlotFont(area)),
      m_lineHeight(QFontMetrics(m_font).height()), m_area(area), m_pixels{0, 1},
      m_hasValues(!history.Range().Empty()) {
    const QFontMetrics metrics(m_font);
    const int margin = m_lineHeight / 2 + 2;
    const int top = area.top() + margin + m_lineHeight + m_lineHeight / 2;
    const int bottom = area.bottom() - margin - kTickLength - 2 * m_lineHeight;
    const int height = std::max(1, bottom - top + 1);

    // Round ticks, some two lines apart, over the values with a little room.
    const ValueSpan& range = history.Range();
    if (m_hasValues) {
        const double span = std::max(1.0, double(range.largest) - double(range.least));
        m_low = double(range.least) - span * 0.05;
        m_high = double(range.largest) + span * 0.05;
        const int ticks = std::max(2, height / (2 * m_lineHeight));
        m_tickStep = NiceStep((m_high - m_low) / ticks);
        m_firstTick = std::int64_t(std::ceil(m_low / double(m_tickStep))) * m_tickStep;
    }
    int labels = 0;
    for (std::int64_t tick = m_firstTick; m_hasValues && double(tick) <= m_high; tick += m_tickStep)
        labels = std::max(labels, metrics.horizontalAdvance(FigureNumber(tick)));
    const int left = area.left() + margin + m_lineHeight + labels + kTickLength + 2;
    const int right =
        area.right() - margin - metrics.horizontalAdvance(FigureNumber(m_records)) / 2;
    m_plot = QRect(QPoint(left, top), QPoint(std::max(left, right), top + height - 1));
    m_columns = history.Columns(m_plot.width());
    m_pixels = PixelColumns{m_columns.Count(), m_plot.width()};
}

int HistoryPlot::YOfValue(std::int64_t value) const {
    const double along = (double(value) - m_low) / (m_high - m_low);
    return m_plot.bottom() - int(std::lround(along * (m_plot.height() - 1)));
}

int HistoryPlot::XOfRecord(int record) const {
    return m_plot.left() + m_pixels.MiddleOf(m_columns.ColumnOf(record));
}

int HistoryPlot::ColumnAt(QPoint point) const {
    const int x = point.x() - m_plot.left();
    if (m_columns.Count() == 0 || x < 0 || x >= m_plot.width())
        return -1;
    return m_pixels.ColumnOf(x);
}

void HistoryPlot::PaintValueAxis(QPainter& painter) const {
    const QFontMetrics metrics(m_font);
    for (std::int64_t tick = m_firstTick; m_hasValues && double(tick) <= m_high;
         tick += m_tickStep) {
        const int y = YOfValue(tick);
        painter.setPen(tick == 0 ? kZeroColour : kGridColour);
        painter.drawLine(m_plot.left(), y, m_plot.right(), y);
        painter.setPen(Qt::black);
        painter.drawLine(m_plot.left() - kTickLength, y, m_plot.left() - 1, y);
        painter.drawText(QRect(m_area.left(), y - m_lineHeight / 2,
                               m_plot.left() - kTickLength - 2 - m_area.left(), m_lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, FigureNumber(tick));
    }
    // The axes' names: the value's up the left edge, the position's below.
    painter.save();
    painter.translate(m_area.left() + m_lineHeight / 2 + 2, m_plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-m_plot.height() / 2, 0, m_plot.height(), m_lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("value of %1%2")
                         .arg(QString::fromLatin1(DisplayLabel(m_node)),
                              QString::fromUtf8(ValueTransformTitle(m_transform))));
    painter.restore();
    painter.drawText(QRect(m_plot.left(), m_plot.bottom() + 1 + kTickLength + m_lineHeight,
                           m_plot.width(), m_lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("position"));
}

// A line through the columns: each column from its least to its largest
// value, joined to the next one where they do not meet; a column without
// values breaks the line. Where columns are a few pixels wide their values
// are dots joined by smooth lines.
void HistoryPlot::PaintRun(QPainter& painter, HistoryRun run) const {
    const QColor colour = run == HistoryRun::Primary ? kPrimaryColour : kImportedColour;
    const bool sparse = m_columns.Count() * 4 <= m_plot.width();
    const int dot = sparse ? 3 : 1;
    std::vector<QLineF> joins;
    const ValueSpan* previous = nullptr;
    int previousX = 0;
    for (int c = 0; c < m_columns.Count(); ++c) {
        const ValueSpan& span = m_columns.Span(c, run);
        if (span.Empty()) {
            previous = nullptr;
            continue;
        }
        const int x = m_plot.left() + m_pixels.MiddleOf(c);
        const int top = YOfValue(span.largest), bottom = YOfValue(span.least);
        painter.fillRect(QRect(x - dot / 2, top - dot / 2, dot, bottom - top + dot), colour);
        if (previous != nullptr) {
            const auto clampTo = [](double value, const ValueSpan& into) {
                return std::clamp(value, double(into.least), double(into.largest));
            };
            joins.emplace_back(
                previousX + 0.5, YOfValue(std::int64_t(clampTo(Middle(span), *previous))) + 0.5,
                x + 0.5, YOfValue(std::int64_t(clampTo(Middle(*previous), span))) + 0.5);
        }
        previous = &span;
        previousX = x;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, sparse);
    painter.setPen(QPen(colour, sparse ? 1.5 : 1));
    painter.drawLines(joins.data(), int(joins.size()));
    painter.restore();
}

// Which colour is which, above the plot's right end.
void HistoryPlot::PaintLegend(QPainter& painter) const {
    const QFontMetrics metrics(m_font);
    const int top = m_plot.top() - m_lineHeight - m_lineHeight / 2;
    int x = m_plot.right() + 1;
    const int swatch = m_lineHeight;
    const auto entry = [&](const QString& name, const QColor& colour) {
        x -= metrics.horizontalAdvance(name);
        painter.drawText(QRect(x, top, metrics.horizontalAdvance(name) + 1, m_lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x -= swatch + m_lineHeight / 3;
        painter.fillRect(QRect(x, top + m_lineHeight / 2 - 1, swatch, 3), colour);
        x -= m_lineHeight;
    };
    if (m_imported)
        entry(QStringLiteral("imported"), kImportedColour);
    entry(QStringLiteral("primary"), kPrimaryColour);
}

void HistoryPlot::Paint(QPainter& painter) const {
    painter.save();
    painter.fillRect(m_area, Qt::white);
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    PaintValueAxis(painter);
    PaintPositionAxis(
        painter, m_records, m_plot.bottom() + 1, m_lineHeight,
        [this](int record) { return XOfRecord(record); },
        double(m_records) / std::max(1, m_plot.width()));
    if (m_imported)
        PaintRun(painter, HistoryRun::Imported);
    PaintRun(painter, HistoryRun::Primary);
    painter.setPen(kFrameColour);
    painter.drawRect(QRectF(m_plot).adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.setPen(Qt::black);
    PaintLegend(painter);
    if (m_records == 0 || !m_hasValues)
        painter.drawText(m_plot, Qt::AlignCenter,
                         m_records == 0 ? QStringLiteral("No records")
                                        : QStringLiteral("No values: every one is missing"));
    painter.restore();
}

void HistoryPlot::PaintMarker(QPainter& painter, int record) const {
    if (record < 0 || record >= m_records)
        return;
    const double x = XOfRecord(record) + 0.5;
    PaintRecordLine(painter, QLineF(x, m_plot.top(), x, m_plot.bottom()));
}

QRect HistoryPlot::MarkerArea(int record) const {
    return QRect(XOfRecord(record) - 2, m_plot.top() - 1, 5, m_plot.height() + 2);
}

} // namespace quib
