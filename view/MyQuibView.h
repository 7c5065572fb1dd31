#pragma once

#include "LatticePicture.h"
#include "View.h"

class CCmdUI;
class CMyQuibDoc;
class CPrintInfo;

// The window's view of the document: the lattice picture of its current
// record on the screen and on paper, and the commands that change which
// record is shown and how.
class CMyQuibView : public CView, public LatticePicture {
  public:
    CMyQuibView();
    ~CMyQuibView() override = default;

    CMyQuibDoc* GetDocument() const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

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

  protected:
    const LatticeDocument* Data() const override;

  private:
    // Keeps the index on a record of the primary dataset, or at 0 without one.
    void ClampToLastRecord();
};
