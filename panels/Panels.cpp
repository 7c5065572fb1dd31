#include "Panels.h"

#include "FrameWnd.h"
#include "MyQuibView.h"
#include "PositionPane.h"

#include <QStatusBar>

namespace quib {

void AttachPanels(CFrameWnd& frame, CMyQuibView& view) {
    // Left of the lock panes, which are permanent too.
    if (auto* bar = frame.findChild<QStatusBar*>())
        bar->insertPermanentWidget(0, new PositionPane(view, bar));
}

} // namespace quib
