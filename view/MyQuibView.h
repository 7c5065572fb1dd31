#pragma once

#include "LatticePicture.h"
#include "PictureOptions.h"
#include "View.h"
#include "ViewChanges.h"

#include <memory>
#include <optional>

class CCmdUI;
class CMyQuibDoc;
class CPrintInfo;
class LatticeDocument;

namespace quib {
class CommandTable;
class NodeFocus;
} // namespace quib

// The window's view of the document: the lattice picture of its current
// record on the screen and on paper, and the commands that change which
// record is shown and how. It keeps the display state and builds one picture
// for each state it shows: every paint, hit, tooltip, focus ring and
// accessible node of that state uses it. Whoever follows the view (panels,
// the status bar) is told what changed by Changed and reads the state
// through the const accessors.
class CMyQuibView : public CView {
    Q_OBJECT

  public:
    CMyQuibView();
    ~CMyQuibView() override;

    CMyQuibDoc* GetDocument() const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnUpdate(CView* sender, LPARAM hint) override;
    // After a file is opened: its records are shown, the position kept
    // where the file is long enough.
    void OnInitialUpdate() override;
    // One diagram of the current record: dataset 0 the primary, 1 the
    // imported one, `xOrigin` in grid steps.
    void DrawDataset(CDC* pDC, int dataset, int xOrigin);
    // Whether a node of the primary record shown is minimal.
    bool IsMinimalNode(int node) const;

    // The commands. Each one that changes the picture repaints the whole
    // view before it returns; a refusal at a limit beeps.
    void OnNavigateDown();
    void OnNavigateUp();
    void OnNavigateFirst();
    void OnNavigateLast();
    void OnNavigateGoto();
    void OnOptionsHighlight();
    void OnUpdateOptionsHighlight(CCmdUI* pCmdUI);
    void OnOptionsScaleLarger();
    void OnOptionsScaleSmaller();
    void OnOptionsFont();
    // Page Down and Page Up step ten records, clamped with the end-of-data
    // tone as Next and Previous.
    void OnPageDown();
    void OnPageUp();
    // The picture on the clipboard as PNG at the screen's resolution, as SVG
    // and as its summary lines (also Ctrl+C and Ctrl+Insert, the keys the
    // table binds to Copy); the summary lines alone; the picture to a file,
    // as the command line writes it.
    void OnCopyPicture();
    void OnUpdateCopy(CCmdUI* pCmdUI);
    void OnCopySummary();
    void OnExportPicture();

    // Shows the record at 0-based position `index` as Goto does: clamped
    // into the primary records, then repainted.
    void ShowRecord(int index);
    // A step through the records that found nothing: the end-of-data tone.
    void RefuseStep() const;
    // The nodes that differ from the imported partner filled, while an
    // import is shown; the values every picture, summary and panel shows.
    void SetDifferences(bool on);
    void SetValues(quib::ValueTransform values);

    // What the view shows.
    int RecordIndex() const { return m_nRecordIndex; }
    quib::PictureOptions Options() const;
    const LatticeDocument& Data() const;
    std::shared_ptr<const LatticeDocument> Snapshot() const;
    const quib::LatticePicture& Picture() const;
    // The node with the keyboard's focus ring, if any.
    std::optional<quib::NodeHit> FocusedNode() const;
    // The node drawn at a point of the view, if any.
    std::optional<quib::NodeHit> NodeAt(QPoint point) const;
    // A node's circle in the view's pixels.
    QRectF NodeRect(quib::NodeHit hit) const;
    // The commands Quib adds, with their keys on this view.
    quib::CommandTable& Commands() const { return *m_commands; }

  signals:
    void Changed(quib::ViewChanges what);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Keys whose shortcuts did not fire, as where the platform has not told
    // Qt that the window is active.
    void keyPressEvent(QKeyEvent* event) override;
    // Resting on a node tells its subset and its value.
    bool event(QEvent* event) override;
    // The picture, then the node focus ring over it.
    void paintEvent(QPaintEvent* event) override;

  private:
    void BindCommands();
    // Keeps the index on a record of the primary dataset, or at 0 without one.
    void ClampToLastRecord();
    int PrimaryRecordCount() const;
    // Asks for room for the whole picture, repaints it at once and tells
    // what changed.
    void Repaint(quib::ViewChanges what);
    void FitToPicture();
    QString SummaryText() const;
    void ShowContextMenu(const QPoint& globalPos, std::optional<quib::NodeHit> node);

    // The display state.
    int m_nRecordIndex = 0;
    int m_nScale = 4;
    bool m_bHighlight = false;
    LOGFONT m_logFont{};
    bool m_differences = false;
    quib::ValueTransform m_values = quib::ValueTransform::Read;

    // The picture of the state shown, and the datasets it shows; built when
    // first asked for after a change.
    mutable std::optional<quib::LatticePicture> m_picture;
    mutable std::shared_ptr<const LatticeDocument> m_pictureData;
    quib::CommandTable* m_commands;
    quib::NodeFocus* m_nodeFocus;
};
