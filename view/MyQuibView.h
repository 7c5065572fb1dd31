#pragma once

#include "DC.h"
#include "LatticeTables.h"
#include "View.h"

class CCmdUI;
class CLatticeDocument;
class CMyQuibDoc;
class CPrintInfo;

// Draws the current record of the document as the Hasse diagram of the
// subset lattice, with the imported dataset's record beside it, on any CDC.
class CMyQuibView : public CView {
  public:
    CMyQuibView();
    ~CMyQuibView() override = default;

    CMyQuibDoc* GetDocument() const;
    // Draws another document's data instead of the window's own, as the
    // command line's pictures do.
    void SetDocument(CLatticeDocument* document) { m_pData = document; }

    // One logical unit is 1/100 inch, y grows upwards and the surface's
    // top-left corner is the logical point (0, 25).
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Dataset 0 is the primary one, 1 the imported one; xOrigin in grid steps.
    void DrawDataset(CDC* pDC, int dataset, int xOrigin);
    bool IsMinimalNode(int node) const;

    // The commands. Each one that changes the picture repaints the whole
    // view before it returns; a refusal at a limit beeps.
    void OnNavigateDown();
    void OnNavigateUp();
    void OnNavigateFirst();
    void OnNavigateLast();
    void OnNavigateGoto();
    void OnOptionsHighlight();
    void OnUpdateOptionsHighlight(CCmdUI* pCmdUI);
    void OnOptionsScaleLarger();
    void OnOptionsScaleSmaller();
    void OnOptionsFont();

    // Display state; the geometry is recomputed from m_nScale at every paint.
    int m_nXOrigin = 0;
    int m_nRadius = 0;
    int m_nXUnit = 0;
    int m_nYUnit = 0;
    int m_nRecordIndex;
    int m_nScale;
    float m_fYOrigin = 0;
    LOGFONT m_logFont;
    int m_nValues[LATTICE_NODES] = {};
    bool m_bHighlight;

  protected:
    // Every value the drawing shows is read here, one at a time.
    virtual int NodeValue(int recordIndex, int node, int dataset) const;

  private:
    // N: the primary dataset's record count, as it is now.
    int PrimaryRecordCount() const;
    // Keeps the index on a record of the primary dataset, or at 0 without one.
    void ClampToLastRecord();
    const int* PrimaryRecordNumber() const;
    void DrawSummaryLine(CDC* pDC, int dataset);

    // The data drawn: the one SetDocument gave, else the window's document.
    const CLatticeDocument* Data() const;

    CLatticeDocument* m_pData = nullptr;
};
