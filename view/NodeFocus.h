#pragma once

#include "LatticeAccessible.h"
#include "LatticePicture.h"

#include <QObject>
#include <QString>

#include <optional>

class CMyQuibView;

namespace quib {

// A keyboard focus on the nodes of the view's picture. Tab and Shift+Tab
// (the view's commands NextNode and PreviousNode) move it from node to node
// in the order they are drawn, round the ends; Escape (LeaveNode) gives the
// focus back to the view as a whole. It stays on the same node while the
// records change. The view draws it as a dashed ring around the circle, on
// the screen only; the status bar's message pane and assistive technology
// are told which node it is on.
class NodeFocus : public QObject {
  public:
    explicit NodeFocus(CMyQuibView* view);

    std::optional<NodeHit> Focused() const { return m_focused; }

    void Step(bool forward);
    void Leave();
    // After every change of what the view shows: the focus kept on a node
    // that is drawn, and what changed told.
    void Shown();
    // The ring, over the picture the view has just painted.
    void Paint() const;

  private:
    void ShowMessage();
    void ClearMessage();
    void KeepInView() const;
    QRectF RingBox() const;

    CMyQuibView* m_view;
    std::optional<NodeHit> m_focused;
    AccessibleNews m_news;
    // What the status bar was told, to take back only that.
    QString m_message;
};

} // namespace quib
