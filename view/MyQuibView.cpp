#include "MyQuibView.h"

#include "MyQuibDoc.h"
#include "Resources.h"

CMyQuibView::CMyQuibView() {
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

const LatticeDocument* CMyQuibView::Data() const {
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
    Prepare(pDC);
}

void CMyQuibView::OnDraw(CDC* pDC) {
    Draw(pDC);
}
