#pragma once

// One print job or preview: the printer it goes to and the page in hand.

#include "AfxRes.h"

class QPrinter;

class CPrintInfo {
  public:
    explicit CPrintInfo(QPrinter* printer) : m_pPrinter(printer) {}

    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }

    QPrinter* m_pPrinter;
    bool m_bDirect = false;  // print without asking: no print dialog
    bool m_bPreview = false; // pages go to print preview
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;

    // No page count: pages are printed while the view's OnPrepareDC lets them,
    // which by default is page 1 alone.
    static constexpr UINT kNoPageCount = 0xFFFF;

  private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = kNoPageCount;
};
