#pragma once

// A docked panel that shows the whole of the view's datasets and follows the
// view: while it is open, its figure is built anew on a worker (SnapshotWork)
// whenever the datasets or the values shown change, and the current
// record's line moves with the record; a click or a drag on the figure goes
// to a record as Goto does. Closed, it holds nothing and reads nothing.

#include "ValueTransform.h"
#include "ViewChanges.h"

#include <QDockWidget>

#include <memory>

class CMyQuibView;
class LatticeDocument;

namespace quib {

class WholeFileCanvas;

class WholeFilePanel : public QDockWidget {
    Q_OBJECT

  public:
    WholeFilePanel(CMyQuibView& view, const QString& title, QWidget* parent);

    WholeFileCanvas* Canvas() const { return m_canvas; }
    // Whether a build is under way.
    virtual bool Building() const = 0;

  protected:
    // The dock's body, which holds the canvas.
    void SetBody(QWidget* body, WholeFileCanvas* canvas);
    const CMyQuibView& View() const { return m_view; }
    // Builds anew where the inputs changed, while the panel is open.
    void Refresh();
    // What the canvas says while it has no figure: that `what` ("the
    // overview") is being read, or that there was no memory for it.
    void SayReading(const QString& what);
    void SayNoMemory(const QString& what);

    // Starts a build unless the last one was of these inputs.
    virtual void BuildFor(const std::shared_ptr<const LatticeDocument>& data,
                          ValueTransform values) = 0;
    // Drops the figure and stops any build.
    virtual void Forget() = 0;
    // The datasets changed: before the build.
    virtual void DatasetsChanged() {}

  private:
    void OnChanged(ViewChanges what);
    void OnVisibilityChanged(bool visible);
    void MoveMarker();

    CMyQuibView& m_view;
    WholeFileCanvas* m_canvas = nullptr;
};

} // namespace quib
