#include "MainFrame.h"

#include "CommandTable.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "Resources.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QMenuBar>

const UINT indicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

CMainFrame::CMainFrame() : m_wndStatusBar(new CStatusBar(this)), m_wndToolBar(new CToolBar(this)) {}

bool CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCT* cs) {
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndToolBar->CreateEx(this, TBSTYLE_FLAT,
                                WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                    CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                                AFX_IDW_TOOLBAR) ||
        !m_wndToolBar->LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar->SetIndicators(indicators, sizeof(indicators) / sizeof(UINT)))
        return -1;
    m_wndToolBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(m_wndToolBar);
    DragAcceptFiles();
    // Before Help, the resource menu's last.
    if (auto* view = dynamic_cast<CMyQuibView*>(GetActiveView()))
        menuBar()->insertMenu(menuBar()->actions().constLast(),
                              view->Commands().MakeDataMenu(menuBar()));
    return 0;
}

CMyQuibDoc* CMainFrame::Document() const {
    return dynamic_cast<CMyQuibDoc*>(GetActiveDocument());
}

void CMainFrame::OnDropFiles(const QStringList& pathNames) {
    if (CMyQuibDoc* document = Document())
        document->OpenInWindow(pathNames.front(), pathNames.mid(1));
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (const CMyQuibDoc* document = Document(); document != nullptr && document->IsReading())
        event->ignore();
    else
        CFrameWnd::dragEnterEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (CMyQuibDoc* document = Document())
        document->CancelReads();
    CFrameWnd::closeEvent(event);
}
