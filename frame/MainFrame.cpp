#include "MainFrame.h"

#include "FindPanel.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "Resources.h"
#include "WinApp.h"

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
    // Panels beside the lattice view, closed at start.
    if (auto* view = dynamic_cast<CMyQuibView*>(GetActiveView()))
        new quib::FindPanel(*this, *view);
    return 0;
}

void CMainFrame::OnDropFiles(const QStringList& pathNames) {
    if (AfxGetApp()->OpenDocumentFile(pathNames.front()) == nullptr)
        return;
    if (auto* document = dynamic_cast<CMyQuibDoc*>(GetActiveDocument()))
        for (qsizetype k = 1; k < pathNames.size(); ++k)
            document->ImportFile(pathNames[k]);
}
