#include "View.h"

#include "Document.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "PainterDC.h"
#include "PrintInfo.h"
#include "WinApp.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CView::CView() {
    // White whatever the desktop's colours.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

CFrameWnd* CView::GetParentFrame() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    return nullptr;
}

void CView::OnPrepareDC(CDC*, CPrintInfo* info) {
    if (info != nullptr)
        info->m_bContinuePrinting = info->m_nCurPage == 1;
}

bool CView::OnPreparePrinting(CPrintInfo*) {
    return true;
}
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) {
    OnDraw(dc);
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0);
}
void CView::OnUpdate(CView*, LPARAM) {
    update();
    if (CFrameWnd* frame = GetParentFrame())
        frame->UpdateCommandUI();
}

void CView::RedrawWindow(UINT flags) {
    if (flags & RDW_UPDATENOW)
        repaint();
    else if (flags & RDW_INVALIDATE)
        update();
}

void CView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintOnWhite(painter, rect(), [this](CDC* dc) {
        OnPrepareDC(dc);
        OnDraw(dc);
    });
}

void CView::keyPressEvent(QKeyEvent* event) {
    if (CFrameWnd* frame = GetParentFrame(); frame != nullptr && frame->TranslateAccelerator(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool CView::DoPreparePrinting(CPrintInfo* info) {
    if (info->m_bDirect || info->m_bPreview)
        return true;
    QPrintDialog dialog(info->m_pPrinter, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void CView::PrintPages(QPainter& painter, CPrintInfo& info) {
    CPainterDC jobDC(painter);
    OnBeginPrinting(&jobDC, &info);
    for (info.m_nCurPage = 1;; ++info.m_nCurPage) {
        // A fresh surface per page: the mapping a page sets starts from scratch.
        CPainterDC pageDC(painter);
        OnPrepareDC(&pageDC, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (info.m_nCurPage != 1)
            info.m_pPrinter->newPage();
        OnPrint(&pageDC, &info);
    }
    OnEndPrinting(&jobDC, &info);
}

void CView::OnFilePrint() {
    CPrintInfo info(&AfxGetApp()->GetPrinter());
    const CFrameWnd* frame = GetParentFrame();
    info.m_bDirect = frame != nullptr && frame->GetCurrentCommand() == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info))
        return;
    QPainter painter;
    if (!painter.begin(info.m_pPrinter)) {
        AfxMessageBox(QStringLiteral("The document could not be printed."), MB_ICONEXCLAMATION);
        return;
    }
    PrintPages(painter, info);
    painter.end();
}

void CView::OnFilePrintPreview() {
    QPrinter& printer = AfxGetApp()->GetPrinter();
    CPrintInfo prepared(&printer);
    prepared.m_bPreview = true;
    if (!OnPreparePrinting(&prepared))
        return;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        CPrintInfo info(target);
        info.m_bPreview = true;
        QPainter painter(target);
        PrintPages(painter, info);
    });
    preview.exec();
}
