#include "OverviewFigure.h"

#include "ColourScale.h"
#include "FigureAxes.h"
#include "LatticeTables.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace quib {

namespace {

constexpr int kLevels = 6;
constexpr int kKeyRampWidth = 48;
const QColor kFrameColour(160, 160, 160);
const QColor kAbsentColour(242, 242, 242);
const QColor kAbsentTextColour(120, 120, 120);

QRgb ToQRgb(const Rgb& rgb) {
    return qRgb(rgb.r, rgb.g, rgb.b);
}

int LevelOfRow(int row) {
    return NodeTable[NodeOfRow(row)].level;
}

QFont SizedFont(const OverviewFigureStyle& style, int pixels) {
    QFont font = style.font;
    font.setPixelSize(pixels);
    // Unhinted glyphs keep their advance at every resolution: the figure
    // looks the same in PNG, SVG and PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

int FontPixels(const QRect& area) {
    return std::clamp(area.height() / 36, 8, 13);
}

// One entry of the colour key: a word, a ramp of one sign's shades from 0
// outwards, a grey swatch, a cell with a grey foot, or a wider space.
struct KeyItem {
    enum Kind { Word, Ramp, Missing, SomeMissing, Space } kind;
    QString text;
    bool negative = false;
};

QImage RampImage(bool negative) {
    QImage shades(kKeyRampWidth, 1, QImage::Format_RGB32);
    for (int k = 0; k < kKeyRampWidth; ++k) {
        // Darkest at the outer ends: the orange runs from the largest
        // magnitude down to 0, the blue from 0 up.
        const double along = double(k) / (kKeyRampWidth - 1);
        const double shade = ColourScale::kLeastShade +
                             (1 - ColourScale::kLeastShade) * (negative ? 1 - along : along);
        shades.setPixel(k, 0, ToQRgb(ColourScale::Shade(negative, shade)));
    }
    return shades;
}

} // namespace

OverviewFigure::OverviewFigure(const Overview& overview, const QRect& area,
                               const OverviewFigureStyle& style)
    : m_mode(overview.Mode()), m_transform(overview.Transform()), m_ends(overview.Ends()),
      m_absent(overview.AbsentNodes()), m_records(overview.Records()), m_style(style),
      m_area(area) {
    const QFontMetrics metrics(SizedFont(style, FontPixels(area)));
    m_lineHeight = metrics.height();
    const int margin = m_lineHeight / 2 + 2;
    const int labels = metrics.horizontalAdvance(QStringLiteral("abcde")) + margin;
    const int lastLabel = metrics.horizontalAdvance(FigureNumber(m_records)) / 2;
    const int below = kTickLength + m_lineHeight + m_lineHeight / 2 + m_lineHeight;
    const int rows = std::max(0, area.height() - 2 * margin - below);
    m_levelGap = rows >= 32 * 6 ? 3 : 1;
    m_rowHeight = std::max(1, (rows - (kLevels - 1) * m_levelGap) / kNodeCount);
    const int width = std::max(1, area.width() - 2 * margin - labels - lastLabel);
    m_cells = QRect(area.left() + margin + labels, area.top() + margin, width,
                    kNodeCount * m_rowHeight + (kLevels - 1) * m_levelGap);
    m_columns = overview.Columns(m_cells.width());
    m_cellImage = PaintCells();
}

bool OverviewFigure::MarksSomeMissing() const {
    return m_style.markSomeMissing && m_rowHeight >= 5;
}

int OverviewFigure::RowTop(int row) const {
    return m_cells.top() + row * m_rowHeight + (kLevels - 1 - LevelOfRow(row)) * m_levelGap;
}

int OverviewFigure::ColumnOfX(int x) const {
    return PixelColumns{m_columns.Count(), m_cells.width()}.ColumnOf(x);
}

int OverviewFigure::NodeAt(QPoint point) const {
    if (point.x() < m_area.left() || point.x() > m_cells.right())
        return -1;
    for (int row = 0; row < kNodeCount; ++row) {
        const int top = RowTop(row);
        if (point.y() >= top && point.y() < top + m_rowHeight)
            return NodeOfRow(row);
    }
    return -1;
}

int OverviewFigure::ColumnAt(QPoint point) const {
    const int x = point.x() - m_cells.left();
    if (m_columns.Count() == 0 || x < 0 || x >= m_cells.width())
        return -1;
    return ColumnOfX(x);
}

int OverviewFigure::XOfRecord(int record) const {
    return m_cells.left() +
           PixelColumns{m_columns.Count(), m_cells.width()}.MiddleOf(m_columns.ColumnOf(record));
}

// Each pixel row of a cell row is the same; the pixel columns map onto the
// overview's columns, one to one where there are as many.
QImage OverviewFigure::PaintCells() const {
    QImage image(m_cells.size(), QImage::Format_RGB32);
    const int columns = m_columns.Count();
    if (image.isNull()) // no memory for it
        return image;
    image.fill(Qt::white);
    if (columns == 0)
        return image;
    const ColourScale scale(m_ends);
    const int width = image.width();
    std::vector<int> columnOfX(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columnOfX[std::size_t(x)] = ColumnOfX(x);
    const bool footLine = MarksSomeMissing();
    std::vector<QRgb> colours(static_cast<std::size_t>(columns));
    std::vector<QRgb> foot(colours.size());
    for (int row = 0; row < kNodeCount; ++row) {
        const int node = NodeOfRow(row);
        const int top = RowTop(row) - m_cells.top();
        if ((m_absent >> node) & 1) {
            for (int y = top; y < top + m_rowHeight; ++y)
                std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), width, kAbsentColour.rgb());
            continue;
        }
        for (int c = 0; c < columns; ++c) {
            const bool missing = m_columns.AllMissing(c, node);
            colours[std::size_t(c)] =
                ToQRgb(missing ? ColourScale::kMissing : scale.Of(m_columns.Value(c, node)));
            foot[std::size_t(c)] = footLine && !missing && m_columns.SomeMissing(c, node)
                                       ? ToQRgb(ColourScale::kMissing)
                                       : colours[std::size_t(c)];
        }
        auto* first = reinterpret_cast<QRgb*>(image.scanLine(top));
        auto* last = reinterpret_cast<QRgb*>(image.scanLine(top + m_rowHeight - 1));
        for (int x = 0; x < width; ++x) {
            first[x] = colours[std::size_t(columnOfX[std::size_t(x)])];
            last[x] = foot[std::size_t(columnOfX[std::size_t(x)])];
        }
        for (int y = top + 1; y < top + m_rowHeight - 1; ++y)
            std::memcpy(image.scanLine(y), first, std::size_t(width) * sizeof(QRgb));
    }
    return image;
}

void OverviewFigure::PaintLabels(QPainter& painter) const {
    // Every row labelled where the rows are as tall as the letters (some 9/10
    // of the font's size), else every other one or fewer, counted from the
    // first of each level.
    const int letters = painter.font().pixelSize() * 9 / 10;
    const int every = std::max(1, (letters + m_rowHeight - 1) / m_rowHeight);
    const int right = m_cells.left() - m_lineHeight / 3;
    int levelStart = 0;
    for (int row = 0; row < kNodeCount; ++row) {
        if (LevelOfRow(row) != LevelOfRow(levelStart))
            levelStart = row;
        if ((row - levelStart) % every != 0)
            continue;
        const QRect band(m_area.left(), RowTop(row), right - m_area.left(), m_rowHeight);
        painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                         QString::fromLatin1(DisplayLabel(NodeOfRow(row))));
    }
}

void OverviewFigure::PaintPositions(QPainter& painter) const {
    PaintPositionAxis(
        painter, m_records, m_cells.bottom() + 1, m_lineHeight,
        [this](int record) { return XOfRecord(record); }, double(m_records) / m_cells.width());
}

// What is shown at the left, the colours at the right:
// lowest [orange] 0 [blue] highest, log scale  [grey] missing  [foot] some missing,
// a sign without values left out.
void OverviewFigure::PaintKey(QPainter& painter) const {
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = m_cells.bottom() + 1 + kTickLength + m_lineHeight + m_lineHeight / 2;
    const QString shown =
        (m_style.title.isEmpty() ? QString() : m_style.title + QStringLiteral(": ")) +
        QString::fromUtf8(OverviewModeTitle(m_mode)) +
        QString::fromUtf8(ValueTransformTitle(m_transform));
    painter.drawText(QRect(m_cells.left(), top, m_cells.width(), m_lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, shown);

    std::vector<KeyItem> items;
    if (m_ends.lowest < 0)
        items.insert(items.end(),
                     {{KeyItem::Word, FigureNumber(m_ends.lowest)}, {KeyItem::Ramp, {}, true}});
    items.push_back({KeyItem::Word, QStringLiteral("0")});
    if (m_ends.highest > 0)
        items.insert(items.end(),
                     {{KeyItem::Ramp, {}, false}, {KeyItem::Word, FigureNumber(m_ends.highest)}});
    if (m_ends != ColourEnds{})
        items.back().text += QStringLiteral(", log scale");
    items.insert(
        items.end(),
        {{KeyItem::Space, {}}, {KeyItem::Missing, {}}, {KeyItem::Word, QStringLiteral("missing")}});
    // Told only where a column holds more than one record.
    if (MarksSomeMissing() && m_columns.Count() < m_records)
        items.insert(items.end(), {{KeyItem::Space, {}},
                                   {KeyItem::SomeMissing, {}},
                                   {KeyItem::Word, QStringLiteral("some missing")}});
    const int swatch = m_lineHeight * 2 / 3;
    const int gap = m_lineHeight / 3;
    const auto widthOf = [&](const KeyItem& item) {
        switch (item.kind) {
        case KeyItem::Word:
            return metrics.horizontalAdvance(item.text);
        case KeyItem::Ramp:
            return kKeyRampWidth;
        case KeyItem::Space:
            return m_lineHeight;
        default:
            return swatch;
        }
    };
    int x = m_cells.right() + 1;
    for (const KeyItem& item : items)
        x -= widthOf(item) + gap;
    x += gap;
    for (const KeyItem& item : items) {
        const QRect box(x, top + (m_lineHeight - swatch) / 2, widthOf(item), swatch);
        switch (item.kind) {
        case KeyItem::Word:
            painter.drawText(QRect(x, top, box.width() + 1, m_lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, item.text);
            break;
        case KeyItem::Ramp:
            painter.drawImage(box, RampImage(item.negative));
            break;
        case KeyItem::Missing:
            painter.fillRect(box, QColor(ToQRgb(ColourScale::kMissing)));
            break;
        case KeyItem::SomeMissing:
            painter.fillRect(box.adjusted(0, box.height() - 1, 0, 0),
                             QColor(ToQRgb(ColourScale::kMissing)));
            break;
        case KeyItem::Space:
            break;
        }
        if (item.kind == KeyItem::Ramp || item.kind == KeyItem::SomeMissing) {
            painter.setPen(kFrameColour);
            painter.drawRect(QRectF(box).adjusted(-0.5, -0.5, 0.5, 0.5));
            painter.setPen(Qt::black);
        }
        x += box.width() + gap;
    }
}

// Each level framed, so that rows of zeros keep their place; the rows not
// in the file told once for each run of them.
void OverviewFigure::PaintLevels(QPainter& painter) const {
    for (int row = 0; row < kNodeCount;) {
        int end = row;
        while (end < kNodeCount && LevelOfRow(end) == LevelOfRow(row))
            ++end;
        const QRect block(m_cells.left(), RowTop(row), m_cells.width(),
                          RowTop(end - 1) + m_rowHeight - RowTop(row));
        painter.setPen(kFrameColour);
        painter.drawRect(QRectF(block).adjusted(-0.5, -0.5, 0.5, 0.5));
        painter.setPen(kAbsentTextColour);
        for (int first = row; first < end;) {
            int last = first;
            while (last < end && (m_absent >> NodeOfRow(last) & 1))
                ++last;
            const QRect run(m_cells.left(), RowTop(first), m_cells.width(),
                            (last - first) * m_rowHeight);
            if (run.height() >= m_lineHeight && m_records > 0)
                painter.drawText(run, Qt::AlignCenter, QStringLiteral("not in the file"));
            first = std::max(last, first + 1);
        }
        row = end;
    }
    painter.setPen(Qt::black);
}

void OverviewFigure::PaintMarker(QPainter& painter, int record) const {
    if (record < 0 || record >= m_records)
        return;
    const double x = XOfRecord(record) + 0.5;
    PaintRecordLine(painter, QLineF(x, m_cells.top() - 3, x, m_cells.bottom() + 4));
}

QRect OverviewFigure::MarkerArea(int record) const {
    const int x = XOfRecord(record);
    return QRect(x - 2, m_cells.top() - 5, 5, m_cells.height() + 10);
}

void OverviewFigure::Paint(QPainter& painter, int currentRecord) const {
    painter.save();
    // Cells stay sharp and exact: no smoothing, and no JPEG in a PDF.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.fillRect(m_area, Qt::white);
    painter.setFont(SizedFont(m_style, FontPixels(m_area)));
    painter.setPen(Qt::black);
    painter.drawImage(m_cells.topLeft(), m_cellImage);
    PaintLevels(painter);
    if (m_records == 0)
        painter.drawText(m_cells, Qt::AlignCenter, QStringLiteral("No records"));
    PaintLabels(painter);
    PaintPositions(painter);
    PaintKey(painter);
    PaintMarker(painter, currentRecord);
    painter.restore();
}

} // namespace quib
