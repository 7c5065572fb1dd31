#pragma once

// The view: a widget on a white background that paints through a CDC, and
// prints and previews the same picture through the same two calls,
// OnPrepareDC and OnDraw.

#include "CmdTarget.h"

#include <QWidget>

class CDC;
class CDocument;
class CFrameWnd;
class CPrintInfo;
class QPainter;
class QPrinter;

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_UPDATENOW = 0x0100;

class CView : public QWidget, public CCmdTarget {
  public:
    CView();

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    // Sets the surface's coordinates before each paint and each printed page;
    // while printing it also decides whether the page is printed.
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnDraw(CDC* dc) = 0;

    virtual bool OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);

    virtual void OnInitialUpdate();
    // The document changed (`hint` says how, as the document tells it):
    // repaint when the event loop next gets to it, and bring the frame's
    // commands up to date.
    virtual void OnUpdate(CView* sender, LPARAM hint);

    // Invalidates the whole view, and with RDW_UPDATENOW paints it before
    // returning.
    void RedrawWindow(UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    // The print dialog, unless the job prints directly or previews; false
    // when the user cancels.
    bool DoPreparePrinting(CPrintInfo* info);
    void OnFilePrint();
    void OnFilePrintPreview();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The frame's accelerators, where their shortcuts did not take the key.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class CDocument;
    // Prints the job's pages on a painter already active on its printer.
    void PrintPages(QPainter& painter, CPrintInfo& info);

    CDocument* m_pDocument = nullptr;
};
