#include "MyQuibView.h"

#include "LatticeDocument.h"
#include "MyQuibDoc.h"
#include "Resources.h"
#include "SummaryText.h"

#include <string>

CMyQuibView::CMyQuibView() : m_nRecordIndex(0), m_nScale(4), m_bHighlight(false) {
    BuildOrderMatrix();
    m_logFont = LOGFONT{};
    MapCommand(ID_FILE_PRINT, &CMyQuibView::OnFilePrint);
    MapCommand(ID_FILE_PRINT_DIRECT, &CMyQuibView::OnFilePrint);
    MapCommand(ID_FILE_PRINT_PREVIEW, &CMyQuibView::OnFilePrintPreview);
    MapCommand(ID_NAVIGATE_DOWN, &CMyQuibView::OnNavigateDown);
    MapCommand(ID_NAVIGATE_UP, &CMyQuibView::OnNavigateUp);
    MapCommand(ID_NAVIGATE_FIRST, &CMyQuibView::OnNavigateFirst);
    MapCommand(ID_NAVIGATE_LAST, &CMyQuibView::OnNavigateLast);
    MapCommand(ID_NAVIGATE_GOTO, &CMyQuibView::OnNavigateGoto);
    MapCommand(ID_OPTIONS_HIGHLIGHT, &CMyQuibView::OnOptionsHighlight);
    MapUpdateCommandUI(ID_OPTIONS_HIGHLIGHT, &CMyQuibView::OnUpdateOptionsHighlight);
    MapCommand(ID_OPTIONS_SCALE_LARGER, &CMyQuibView::OnOptionsScaleLarger);
    MapCommand(ID_OPTIONS_SCALE_SMALLER, &CMyQuibView::OnOptionsScaleSmaller);
    MapCommand(ID_OPTIONS_FONT, &CMyQuibView::OnOptionsFont);
}

CMyQuibDoc* CMyQuibView::GetDocument() const {
    return static_cast<CMyQuibDoc*>(CView::GetDocument());
}

const CLatticeDocument* CMyQuibView::Data() const {
    if (m_pData != nullptr)
        return m_pData;
    return GetDocument();
}

bool CMyQuibView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

// The printed page depends on nothing but the drawing.
void CMyQuibView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CMyQuibView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CMyQuibView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    CView::OnPrepareDC(pDC, pInfo);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->SetWindowExt(100, -100);
    pDC->OffsetWindowOrg(0, 25);
}

void CMyQuibView::OnDraw(CDC* pDC) {
    m_nXOrigin = -12;
    m_fYOrigin = 5.5f;
    m_nRadius = 4 * m_nScale;
    m_nXUnit = 8 * m_nScale;
    m_nYUnit = 20 * m_nScale;

    const CLatticeDocument* document = Data();
    if (document->m_nPrimaryDim < 0) {
        static const char kNoData[] = "No data available";
        pDC->TextOut(10, 10, kNoData, sizeof kNoData - 1);
        return;
    }
    DrawDataset(pDC, 0, m_nXOrigin);
    if (document->m_nImportedDim > 0)
        DrawDataset(pDC, 1, m_nXOrigin - 20);
}

void CMyQuibView::DrawDataset(CDC* pDC, int dataset, int xOrigin) {
    const int s = m_nScale;
    const int r = m_nRadius;
    const int k = m_nRecordIndex;
    const int d = s == 2 ? -9 : -8;
    auto cx = [&](int node) { return (NodeTable[node].gridX - xOrigin) * m_nXUnit; };
    auto cy = [&](int node) { return int((NodeTable[node].level - m_fYOrigin) * m_nYUnit); };

    for (const EdgePair* edge = EdgeTable; edge->lower >= 0; ++edge) {
        pDC->MoveTo(cx(edge->lower), cy(edge->lower));
        pDC->LineTo(cx(edge->upper), cy(edge->upper));
    }

    for (int n = 0; n < LATTICE_NODES; ++n)
        m_nValues[n] = NodeValue(k, n, dataset);

    CFont font;
    const bool fontCreated = font.CreateFontIndirect(pDC, &m_logFont);
    CFont* previousFont = fontCreated ? pDC->SelectObject(&font) : nullptr;

    for (int n = 0; n < LATTICE_NODES; ++n) {
        const int width = m_bHighlight && IsMinimalNode(n) ? 3 : 1;
        const LOGPEN logPen{PS_INSIDEFRAME, {width, width}, 0};
        CPen pen;
        if (!pen.CreatePenIndirect(pDC, &logPen)) {
            if (fontCreated)
                pDC->SelectObject(previousFont);
            return;
        }
        const int x = cx(n);
        const int y = cy(n);
        CPen* previousPen = pDC->SelectObject(&pen);
        pDC->Ellipse(x - r, y - r, x + r, y + r);
        pDC->SelectObject(previousPen);

        const std::string label = DisplayLabel(n);
        pDC->TextOut(x + r - s, y + d, label.data(), int(label.size()));

        const int value = NodeValue(k, n, dataset);
        if (value < -31999) {
            pDC->TextOut(x - 2, y - d - 1, "/", 1);
        } else {
            const std::string text = std::to_string(value);
            pDC->TextOut(x - s - 1, y - d - 1, text.data(), int(text.size()));
        }
    }

    DrawSummaryLine(pDC, dataset);
    if (fontCreated)
        pDC->SelectObject(previousFont);
}

void CMyQuibView::DrawSummaryLine(CDC* pDC, int dataset) {
    int values[LATTICE_NODES];
    for (int n = 0; n < LATTICE_NODES; ++n)
        values[n] = NodeValue(m_nRecordIndex, n, dataset);
    std::string line;
    AppendSummaryLine(line, PrimaryRecordNumber(), values);
    pDC->TextOut(10, 10 + 10 * dataset, line.data(), int(line.size()));
}

const int* CMyQuibView::PrimaryRecordNumber() const {
    const CLatticeRecordArray& records = Data()->m_primaryRecords;
    if (m_nRecordIndex < 0 || m_nRecordIndex >= records.GetSize())
        return nullptr;
    return &records[m_nRecordIndex].m_nRecordNumber;
}

bool CMyQuibView::IsMinimalNode(int node) const {
    return IsMinimalNodeOf(m_nValues, node);
}

int CMyQuibView::NodeValue(int recordIndex, int node, int dataset) const {
    return Data()->GetNodeValue(recordIndex, node, dataset);
}
