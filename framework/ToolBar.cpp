#include "ToolBar.h"

#include "AfxResources.h"

#include <QAction>

// Qt's tool buttons are flat already: they rise only under the mouse, as
// TBSTYLE_FLAT asks, so the control style adds nothing.
bool CToolBar::CreateEx(CFrameWnd* parent, DWORD, DWORD style, UINT id) {
    if (parent == nullptr)
        return false;
    setParent(parent);
    m_pFrame = parent;
    m_dwStyle = style;
    setObjectName(QStringLiteral("AFX_IDW_TOOLBAR"));
    setWindowTitle(QStringLiteral("Toolbar"));
    setMovable((style & CBRS_GRIPPER) != 0);
    setFloatable(false);
    setAllowedAreas(DockAreas(style));
    parent->AddControlBar(id, this);
    return true;
}

bool CToolBar::LoadToolBar(UINT) {
    const AfxResourceTables& resources = AfxGetResources();
    if (m_pFrame == nullptr || resources.toolbarBitmap == nullptr)
        return false;
    const QPixmap strip = resources.toolbarBitmap();
    const QSize button = resources.toolbarButtonSize;
    if (strip.isNull() || button.isEmpty())
        return false;
    setIconSize(button);
    int image = 0;
    for (UINT id : resources.toolbar) {
        if (id == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        QAction* action = m_pFrame->FindAction(id);
        if (action == nullptr)
            return false;
        action->setIcon(
            QIcon(strip.copy(image * button.width(), 0, button.width(), button.height())));
        // Menus show the stored labels alone.
        action->setIconVisibleInMenu(false);
        ++image;
        addAction(action);
    }
    return true;
}

void CToolBar::EnableDocking(DWORD dockStyle) {
    setAllowedAreas(DockAreas(dockStyle));
    setFloatable(true);
}
