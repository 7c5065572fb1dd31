#pragma once

// One print job or preview: the printer it goes to and the page in hand.

#include "AfxRes.h"

class QPrinter;

class CPrintInfo {
  public:
    explicit CPrintInfo(QPrinter* printer) : m_pPrinter(printer) {}

    QPrinter* m_pPrinter;
    bool m_bDirect = false;  // print without asking: no print dialog
    bool m_bPreview = false; // pages go to print preview
    // Pages are printed while the view's OnPrepareDC lets them; no page
    // count is ever set, so by default that is page 1 alone.
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;
};
