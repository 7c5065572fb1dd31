#include "LatticePicture.h"

#include "LatticeDocument.h"
#include "LatticeTables.h"
#include "SummaryText.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

namespace quib {

namespace {

// Draws or measures in a font of the picture, then gives the surface its
// previous font back. The font may be refused, and no font selects nothing:
// the previous font then stays.
class PictureFont {
  public:
    PictureFont(CDC* dc, const std::optional<LOGFONT>& logFont) : m_dc(dc) {
        if (logFont && m_font.CreateFontIndirect(dc, &*logFont))
            m_previous = dc->SelectObject(&m_font);
    }
    ~PictureFont() {
        if (m_font.IsCreated())
            m_dc->SelectObject(m_previous);
    }
    PictureFont(const PictureFont&) = delete;
    PictureFont& operator=(const PictureFont&) = delete;

  private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_previous = nullptr;
};

void TextOut(CDC* dc, int x, int y, const std::string& text) {
    dc->TextOut(x, y, text.data(), int(text.size()));
}

TextExtent TextExtentOf(CDC* dc, const std::string& text) {
    return dc->GetTextExtent(text.data(), int(text.size()));
}

bool Has(NodeMask mask, int node) {
    return (mask >> node) & 1;
}

} // namespace

PictureGeometry PictureGeometry::AtScale(int scale) {
    return {-12, 4 * scale, 8 * scale, 20 * scale, 5.5f};
}

namespace {

std::atomic<unsigned long> g_built{0};

// One logical unit is 1/100 inch and y grows upwards; the origin is left
// where it is.
void SetMapping(CDC* pDC) {
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->SetWindowExt(100, -100);
}

} // namespace

LatticePicture::LatticePicture(const LatticeDocument& data, const PictureOptions& options,
                               CDC* surface)
    : m_options(options), m_geometry(PictureGeometry::AtScale(options.scale)),
      m_hasData(data.m_nPrimaryDim >= 0), m_showsImported(m_hasData && data.m_nImportedDim > 0),
      m_hasPartner(m_showsImported && data.ImportedPartner(options.record) != kNoPartner),
      m_primaryDim(data.m_nPrimaryDim), m_importedDim(data.m_nImportedDim), m_shown{},
      m_differing(0) {
    if (options.record >= 0 && options.record < data.m_primaryRecords.GetSize())
        m_recordNumber = data.m_primaryRecords[options.record].m_nRecordNumber;
    for (int dataset = 0; dataset < DatasetCount(); ++dataset) {
        std::int32_t read[kNodeCount];
        for (int n = 0; n < kNodeCount; ++n)
            read[n] = data.GetNodeValue(options.record, n, dataset);
        Shown& shown = m_shown[dataset];
        shown.missing = TransformValues(options.values, read, shown.values);
        shown.minimal = MinimalNodes(shown.values);
        for (int n = 0; n < kNodeCount; ++n)
            shown.texts[std::size_t(n)] =
                Has(shown.missing, n) ? "/" : std::to_string(shown.values[n]);
        char line[kSummaryLineBytes];
        shown.summary.assign(line,
                             WriteSummaryLine(line, m_recordNumber ? &*m_recordNumber : nullptr,
                                              options.values, shown.values));
    }
    if (m_hasPartner)
        m_differing = DifferingNodes(m_shown[0].values, m_shown[0].missing, m_shown[1].values,
                                     m_shown[1].missing,
                                     ComparedNodes(data.m_nPrimaryDim, data.m_nImportedDim,
                                                   options.values != ValueTransform::Read));
    LayOut(surface);
}

LatticePicture::LatticePicture(const LatticeTexts& texts, const PictureOptions& options,
                               CDC* surface)
    : m_options(options), m_geometry(PictureGeometry::AtScale(options.scale)), m_hasData(true),
      m_showsImported(false), m_hasPartner(false), m_primaryDim(kNodeCount),
      m_importedDim(-1), m_shown{}, m_differing(0) {
    m_shown[0].texts = texts.nodes;
    m_shown[0].summary = texts.caption;
    LayOut(surface);
}

void LatticePicture::LayOut(CDC* surface) {
    g_built.fetch_add(1, std::memory_order_relaxed);
    SetMapping(surface);
    m_dpiX = surface->GetDeviceCaps(LOGPIXELSX);
    m_dpiY = surface->GetDeviceCaps(LOGPIXELSY);
    m_extent = MeasureExtent(surface);
}

unsigned long LatticePicture::Built() {
    return g_built.load(std::memory_order_relaxed);
}

int LatticePicture::Prepare(CDC* pDC) const {
    SetMapping(pDC);
    pDC->OffsetWindowOrg(0, m_extent.top);
    return m_extent.top;
}

int LatticePicture::Prepare(CDC* pDC, PrintableArea printable) const {
    const int top = Prepare(pDC);
    const PictureCorner& corner = m_extent;
    const double width = printable.width * 100.0 / pDC->GetDeviceCaps(LOGPIXELSX);
    const double height = printable.height * 100.0 / pDC->GetDeviceCaps(LOGPIXELSY);
    const double scale = std::min(width / corner.right, height / (top - corner.bottom));
    // A device without a printable area takes the picture as it is.
    if (scale < 1 && scale > 0) {
        // About the picture's top-left corner, the logical point (0, top).
        const auto f = float(scale);
        pDC->SetWorldTransform({f, 0, 0, f, 0, float(top * (1 - scale))});
    }
    return top;
}

void LatticePicture::Draw(CDC* pDC) const {
    if (!m_hasData) {
        TextOut(pDC, 10, 10, kNoDataText);
        return;
    }
    DrawDataset(pDC, 0, m_geometry.xOrigin);
    if (m_showsImported)
        DrawDataset(pDC, 1, m_geometry.xOrigin - kImportedShift);
}

LatticePicture::Point LatticePicture::Centre(int node, int xOrigin) const {
    return {(NodeTable[node].gridX - xOrigin) * m_geometry.xUnit,
            int((NodeTable[node].level - m_geometry.yOrigin) * m_geometry.yUnit)};
}

// The label stands at the circle's lower right, the value over its centre;
// at scale 2 both sit one unit further out.
LatticePicture::Point LatticePicture::LabelPosition(Point centre) const {
    const int d = m_options.scale == 2 ? -9 : -8;
    return {centre.x + m_geometry.radius - m_options.scale, centre.y + d};
}

LatticePicture::Point LatticePicture::ValuePosition(Point centre, bool missing) const {
    const int d = m_options.scale == 2 ? -9 : -8;
    return {missing ? centre.x - 2 : centre.x - m_options.scale - 1, centre.y - d - 1};
}

// The imported line stands one line of its font above the primary one, and
// at least 10 units: a taller font would cover the primary line's top.
LatticePicture::Point LatticePicture::SummaryPosition(CDC* pDC, int dataset) const {
    if (dataset == 0)
        return {10, 10};
    const double lineHeight = pDC->GetTextExtent("Record nr", 9).cy;
    return {10, 10 + std::max(10, int(std::ceil(lineHeight)))};
}

// A value runs to the right from where it begins, and its room ends at the
// left edge of the next circle of its level: levels 2 and 3 hold ten nodes
// two grid steps apart, the others at most five, four apart (a lone node
// gets as much room).
LatticePicture::DrawnValue LatticePicture::Value(CDC* pDC, int dataset, int node,
                                                 Point centre) const {
    DrawnValue value{ValuePosition(centre, Has(m_shown[dataset].missing, node)),
                     ValueText(dataset, node), std::nullopt};
    const int level = NodeTable[node].level;
    const int steps = level == 2 || level == 3 ? 2 : 4;
    const double room = centre.x + steps * m_geometry.xUnit - m_geometry.radius - value.at.x;
    const TextExtent extent = TextExtentOf(pDC, value.text);
    if (extent.cx <= room)
        return value;
    // Smaller sizes go by whole units of the font's cell height, from just
    // below its own down to half of it: the largest that fits, else the
    // smallest, whatever the value then covers.
    LOGFONT font = m_options.font;
    const auto fits = [&](int height) {
        font.lfHeight = height;
        const PictureFont smaller(pDC, font);
        return TextExtentOf(pDC, value.text).cx <= room;
    };
    int low = int(std::ceil(extent.cy / 2));
    int high = std::max(low, int(std::ceil(extent.cy)) - 1);
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    font.lfHeight = low;
    value.smaller = font;
    return value;
}

std::string LatticePicture::ValueText(int dataset, int node) const {
    return m_shown[dataset].texts[std::size_t(node)];
}

void LatticePicture::DrawDataset(CDC* pDC, int dataset, int xOrigin) const {
    const int r = m_geometry.radius;
    for (const EdgePair* edge = EdgeTable; edge->lower >= 0; ++edge) {
        const Point lower = Centre(edge->lower, xOrigin);
        const Point upper = Centre(edge->upper, xOrigin);
        pDC->MoveTo(lower.x, lower.y);
        pDC->LineTo(upper.x, upper.y);
    }

    const PictureFont font(pDC, m_options.font);
    for (int n = 0; n < kNodeCount; ++n) {
        const int width = m_options.highlight && IsMinimalNode(dataset, n) ? 3 : 1;
        const LOGPEN logPen{PS_INSIDEFRAME, {width, width}, 0};
        CPen pen;
        // Without its pen a node cannot be drawn: the rest of the dataset
        // is left out.
        if (!pen.CreatePenIndirect(pDC, &logPen))
            return;
        const Point centre = Centre(n, xOrigin);
        const bool differs = m_options.differences && NodeDiffers(n);
        CPen* previousPen = pDC->SelectObject(&pen);
        const COLORREF fill = differs ? pDC->SetDCBrushColor(kDifferenceFill) : 0;
        pDC->Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
        if (differs)
            pDC->SetDCBrushColor(fill);
        pDC->SelectObject(previousPen);

        const Point label = LabelPosition(centre);
        TextOut(pDC, label.x, label.y, DisplayLabel(n));
        const DrawnValue value = Value(pDC, dataset, n, centre);
        const PictureFont valueFont(pDC, value.smaller);
        // The value sits in the filled circle: on the fill, not on white.
        const COLORREF background = differs ? pDC->SetBkColor(kDifferenceFill) : 0;
        TextOut(pDC, value.at.x, value.at.y, value.text);
        if (differs)
            pDC->SetBkColor(background);
    }
    const Point summary = SummaryPosition(pDC, dataset);
    TextOut(pDC, summary.x, summary.y, m_shown[dataset].summary);
}

std::vector<std::string> LatticePicture::SummaryLines() const {
    std::vector<std::string> lines;
    for (int dataset = 0; m_hasData && dataset < DatasetCount(); ++dataset)
        lines.push_back(m_shown[dataset].summary);
    return lines;
}

// Measured on a surface with the picture's mapping but not yet its origin:
// the top edge comes out of the measuring.
PictureCorner LatticePicture::MeasureExtent(CDC* pDC) const {
    PictureCorner corner{0, kPageTop};
    const auto reach = [&](double x, double y) {
        corner.right = std::max(corner.right, x);
        corner.bottom = std::min(corner.bottom, y);
    };
    const auto text = [&](Point at, const std::string& text) {
        const TextExtent size = TextExtentOf(pDC, text);
        reach(at.x + size.cx, at.y - size.cy);
    };
    if (!m_hasData) {
        text({10, 10}, kNoDataText);
        return corner;
    }
    const PictureFont font(pDC, m_options.font);
    for (int dataset = 0; dataset < DatasetCount(); ++dataset) {
        const int xOrigin = m_geometry.xOrigin - kImportedShift * dataset;
        for (int n = 0; n < kNodeCount; ++n) {
            const Point centre = Centre(n, xOrigin);
            reach(centre.x + m_geometry.radius, centre.y - m_geometry.radius);
            text(LabelPosition(centre), DisplayLabel(n));
            const DrawnValue value = Value(pDC, dataset, n, centre);
            const PictureFont valueFont(pDC, value.smaller);
            text(value.at, value.text);
        }
        text(SummaryPosition(pDC, dataset), m_shown[dataset].summary);
    }
    if (m_showsImported)
        corner.top = SummaryPosition(pDC, 1).y + 5;
    return corner;
}

LatticePicture::Point LatticePicture::NodeCentre(NodeHit hit) const {
    return Centre(hit.node, m_geometry.xOrigin - kImportedShift * hit.dataset);
}

PixelBox LatticePicture::NodeBox(NodeHit hit) const {
    const Point centre = NodeCentre(hit);
    const int r = m_geometry.radius;
    return {PixelX(centre.x - r), PixelY(centre.y + r), PixelX(centre.x + r), PixelY(centre.y - r)};
}

std::optional<NodeHit> LatticePicture::NodeAt(double pixelX, double pixelY) const {
    const double x = pixelX * 100.0 / m_dpiX;
    const double y = m_extent.top - pixelY * 100.0 / m_dpiY;
    for (int dataset = 0; m_hasData && dataset < DatasetCount(); ++dataset) {
        for (int node = 0; node < kNodeCount; ++node) {
            const Point centre = NodeCentre({dataset, node});
            if (std::hypot(x - centre.x, y - centre.y) <= m_geometry.radius)
                return NodeHit{dataset, node};
        }
    }
    return std::nullopt;
}

std::string LatticePicture::NodeDescription(int node) const {
    std::string text = "{";
    for (const char* letter = NodeTable[node].label; *letter != '\0' && *letter != '}'; ++letter) {
        if (*letter == '{')
            continue;
        text += text.size() > 1 ? ", " : "";
        text += *letter;
    }
    text += "}";
    // A missing value the record holds is told as its number: "/" alone
    // would not say whether the file or the pairing left it out.
    const auto value = [this, node](int dataset) -> std::string {
        const bool onRecord = dataset == 0 ? m_recordNumber.has_value() : m_hasPartner;
        if (!onRecord)
            return "no record";
        const int dimension = dataset == 0 ? m_primaryDim : m_importedDim;
        if (m_options.values == ValueTransform::Read && !Has(CarriedNodes(dimension), node))
            return "not in the file";
        const std::string number = std::to_string(m_shown[dataset].values[node]);
        return Has(m_shown[dataset].missing, node) ? number + " (drawn /)" : number;
    };
    if (!m_showsImported)
        return text + "\nvalue: " + value(0);
    return text + "\nprimary: " + value(0) + "\nimported: " + value(1);
}

bool LatticePicture::NodeDiffers(int node) const {
    return Has(m_differing, node);
}

bool LatticePicture::IsMinimalNode(int dataset, int node) const {
    return dataset >= 0 && dataset < DatasetCount() && node >= 0 && node < kNodeCount &&
           Has(m_shown[dataset].minimal, node);
}

} // namespace quib
