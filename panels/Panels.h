#pragma once

class CFrameWnd;
class CMyQuibView;

namespace quib {

// What Quib adds around the view of a frame: the position pane in the
// status bar.
void AttachPanels(CFrameWnd& frame, CMyQuibView& view);

} // namespace quib
