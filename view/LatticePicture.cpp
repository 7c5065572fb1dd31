#include "LatticePicture.h"

#include "LatticeDocument.h"
#include "SummaryText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr char kNoData[] = "No data available";
constexpr int kImportedShift = 20; // grid steps between the two diagrams

// Draws or measures in the picture's font, then gives the surface its own
// font back. The font may be refused: the surface's own then stays.
class PictureFont {
  public:
    PictureFont(CDC* dc, const LOGFONT& logFont) : m_dc(dc) {
        if (m_font.CreateFontIndirect(dc, &logFont))
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

} // namespace

std::string NodeValueText(int value) {
    return quib::IsMissing(value) ? "/" : std::to_string(value);
}

LatticePicture::LatticePicture(const LatticeDocument* data) : m_data(data) {
    BuildOrderMatrix();
}

void LatticePicture::Prepare(CDC* pDC) const {
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->SetWindowExt(100, -100);
    pDC->OffsetWindowOrg(0, 25);
}

void LatticePicture::SetGeometry() {
    m_nXOrigin = -12;
    m_fYOrigin = 5.5f;
    m_nRadius = 4 * m_nScale;
    m_nXUnit = 8 * m_nScale;
    m_nYUnit = 20 * m_nScale;
}

bool LatticePicture::HasNoData() const {
    return Data()->m_nPrimaryDim < 0;
}

bool LatticePicture::DrawsImported() const {
    return Data()->m_nImportedDim > 0;
}

void LatticePicture::Draw(CDC* pDC) {
    SetGeometry();
    if (HasNoData()) {
        TextOut(pDC, 10, 10, kNoData);
        return;
    }
    DrawDataset(pDC, 0, m_nXOrigin);
    if (DrawsImported())
        DrawDataset(pDC, 1, m_nXOrigin - kImportedShift);
}

LatticePicture::Point LatticePicture::Centre(int node, int xOrigin) const {
    return {(NodeTable[node].gridX - xOrigin) * m_nXUnit,
            int((NodeTable[node].level - m_fYOrigin) * m_nYUnit)};
}

// The label stands at the circle's lower right, the value over its centre;
// at scale 2 both sit one unit further out.
LatticePicture::Point LatticePicture::LabelPosition(Point centre) const {
    const int d = m_nScale == 2 ? -9 : -8;
    return {centre.x + m_nRadius - m_nScale, centre.y + d};
}

LatticePicture::Point LatticePicture::ValuePosition(Point centre, int value) const {
    const int d = m_nScale == 2 ? -9 : -8;
    return {quib::IsMissing(value) ? centre.x - 2 : centre.x - m_nScale - 1, centre.y - d - 1};
}

LatticePicture::Point LatticePicture::SummaryPosition(int dataset) {
    return {10, 10 + 10 * dataset};
}

void LatticePicture::DrawDataset(CDC* pDC, int dataset, int xOrigin) {
    const int r = m_nRadius;
    const int k = m_nRecordIndex;
    for (const EdgePair* edge = EdgeTable; edge->lower >= 0; ++edge) {
        const Point lower = Centre(edge->lower, xOrigin);
        const Point upper = Centre(edge->upper, xOrigin);
        pDC->MoveTo(lower.x, lower.y);
        pDC->LineTo(upper.x, upper.y);
    }

    for (int n = 0; n < quib::kNodeCount; ++n)
        m_nValues[n] = NodeValue(k, n, dataset);

    const PictureFont font(pDC, m_logFont);
    for (int n = 0; n < quib::kNodeCount; ++n) {
        const int width = m_bHighlight && IsMinimalNode(n) ? 3 : 1;
        const LOGPEN logPen{PS_INSIDEFRAME, {width, width}, 0};
        CPen pen;
        // Without its pen a node cannot be drawn: the rest of the dataset
        // is left out.
        if (!pen.CreatePenIndirect(pDC, &logPen))
            return;
        const Point centre = Centre(n, xOrigin);
        const bool differs = m_differences && NodeDiffers(n);
        CPen* previousPen = pDC->SelectObject(&pen);
        const COLORREF fill = differs ? pDC->SetDCBrushColor(kDifferenceFill) : 0;
        pDC->Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
        if (differs)
            pDC->SetDCBrushColor(fill);
        pDC->SelectObject(previousPen);

        const Point label = LabelPosition(centre);
        TextOut(pDC, label.x, label.y, DisplayLabel(n));
        const int value = NodeValue(k, n, dataset);
        const Point at = ValuePosition(centre, value);
        // The value sits in the filled circle: on the fill, not on white.
        const COLORREF background = differs ? pDC->SetBkColor(kDifferenceFill) : 0;
        TextOut(pDC, at.x, at.y, NodeValueText(value));
        if (differs)
            pDC->SetBkColor(background);
    }
    const Point summary = SummaryPosition(dataset);
    TextOut(pDC, summary.x, summary.y, SummaryLine(dataset));
}

std::string LatticePicture::SummaryLine(int dataset) const {
    int values[quib::kNodeCount];
    for (int n = 0; n < quib::kNodeCount; ++n)
        values[n] = NodeValue(m_nRecordIndex, n, dataset);
    const CLatticeRecordArray& records = Data()->m_primaryRecords;
    const bool onRecord = m_nRecordIndex >= 0 && m_nRecordIndex < records.GetSize();
    std::string line;
    AppendSummaryLine(line, onRecord ? &records[m_nRecordIndex].m_nRecordNumber : nullptr, values);
    return line;
}

std::vector<std::string> LatticePicture::SummaryLines() const {
    if (HasNoData())
        return {};
    if (!DrawsImported())
        return {SummaryLine(0)};
    return {SummaryLine(0), SummaryLine(1)};
}

PictureCorner LatticePicture::MeasureCorner(CDC* pDC) {
    SetGeometry();
    PictureCorner corner{0, 25};
    const auto reach = [&](double x, double y) {
        corner.right = std::max(corner.right, x);
        corner.bottom = std::min(corner.bottom, y);
    };
    const auto text = [&](Point at, const std::string& text) {
        const TextExtent size = pDC->GetTextExtent(text.data(), int(text.size()));
        reach(at.x + size.cx, at.y - size.cy);
    };
    if (HasNoData()) {
        text({10, 10}, kNoData);
        return corner;
    }
    const PictureFont font(pDC, m_logFont);
    for (int dataset = 0; dataset < (DrawsImported() ? 2 : 1); ++dataset) {
        const int xOrigin = m_nXOrigin - kImportedShift * dataset;
        for (int n = 0; n < quib::kNodeCount; ++n) {
            const Point centre = Centre(n, xOrigin);
            reach(centre.x + m_nRadius, centre.y - m_nRadius);
            text(LabelPosition(centre), DisplayLabel(n));
            const int value = NodeValue(m_nRecordIndex, n, dataset);
            text(ValuePosition(centre, value), NodeValueText(value));
        }
        text(SummaryPosition(dataset), SummaryLine(dataset));
    }
    return corner;
}

bool LatticePicture::NodeAt(double x, double y, int& dataset, int& node) {
    SetGeometry();
    if (HasNoData())
        return false;
    for (dataset = 0; dataset < (DrawsImported() ? 2 : 1); ++dataset) {
        for (node = 0; node < quib::kNodeCount; ++node) {
            const Point centre = Centre(node, m_nXOrigin - kImportedShift * dataset);
            if (std::hypot(x - centre.x, y - centre.y) <= m_nRadius)
                return true;
        }
    }
    return false;
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
    const auto value = [this, node](int dataset) {
        const int v = NodeValue(m_nRecordIndex, node, dataset);
        return quib::IsMissing(v) ? std::string("no record") : std::to_string(v);
    };
    if (!DrawsImported())
        return text + "\nvalue: " + value(0);
    return text + "\nprimary: " + value(0) + "\nimported: " + value(1);
}

bool LatticePicture::NodeDiffers(int node) const {
    return DrawsImported() && Data()->ImportedPartner(m_nRecordIndex) != kNoPartner &&
           NodeValue(m_nRecordIndex, node, 0) != NodeValue(m_nRecordIndex, node, 1);
}

bool LatticePicture::IsMinimalNode(int node) const {
    return IsMinimalNodeOf(m_nValues, node);
}

int LatticePicture::NodeValue(int recordIndex, int node, int dataset) const {
    return Data()->GetNodeValue(recordIndex, node, dataset);
}

int LatticePicture::PrimaryRecordCount() const {
    return Data()->m_primaryRecords.GetSize();
}
