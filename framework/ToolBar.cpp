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
    // Drawn for ordinary and for doubled pixel density, so that the buttons
    // stay sharp on high-resolution screens.
    const QPixmap strip = resources.toolbarBitmap(1.0);
    const QPixmap sharpStrip = resources.toolbarBitmap(2.0);
    const QSize button = resources.toolbarButtonSize;
    if (strip.isNull() || sharpStrip.isNull() || button.isEmpty())
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
        QIcon icon(strip.copy(image * button.width(), 0, button.width(), button.height()));
        QPixmap sharp =
            sharpStrip.copy(2 * image * button.width(), 0, 2 * button.width(), 2 * button.height());
        sharp.setDevicePixelRatio(2.0);
        icon.addPixmap(sharp);
        action->setIcon(icon);
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
