#pragma once

#include "LatticePicture.h"
#include "NodeFocus.h"
#include "PictureOptions.h"
#include "View.h"

class CCmdUI;
class CMyQuibDoc;
class CPrintInfo;
class QAction;
class QActionGroup;
class QMenu;

// The window's view of the document: the lattice picture of its current
// record on the screen and on paper, and the commands that change which
// record is shown and how. Its context menu copies and exports the picture
// and chooses the values shown; it asks for room for the whole picture,
// which its scroll bars give. It keeps the display state; every paint,
// print, copy and export draws a picture built from it.
class CMyQuibView : public CView {
    Q_OBJECT

  public:
    CMyQuibView();
    ~CMyQuibView() override = default;

    CMyQuibDoc* GetDocument() const;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnUpdate(CView* sender) override;
    // After a file is opened or reloaded: its records are shown, the
    // position kept where the file is long enough.
    void OnInitialUpdate() override;
    // One diagram of the current record: dataset 0 the primary, 1 the
    // imported one, `xOrigin` in grid steps.
    void DrawDataset(CDC* pDC, int dataset, int xOrigin);
    // For the record being drawn, whose values m_nValues holds.
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
    // Home and End are First and Last; Page Down and Page Up step ten
    // records, clamped with the end-of-data tone as Next and Previous.
    void OnPageDown();
    void OnPageUp();

    // The context menu's: the picture on the clipboard as PNG at the
    // screen's resolution, as SVG and as its summary lines; the summary
    // lines alone; the picture to a file, as the command line writes it.
    // Also Ctrl+C and Ctrl+Insert, the keys the table binds to Copy.
    void OnCopyPicture();
    void OnUpdateCopy(CCmdUI* pCmdUI);
    void OnCopySummary();
    void OnExportPicture();
    // Fills the nodes that differ from the imported partner, while an
    // import is shown.
    void OnHighlightDifferences();
    // The Values submenu: the values every picture, summary and panel
    // shows, kept while the program runs.
    void OnValues(quib::ValueTransform values);

    // What the window shows, as every picture of it is drawn.
    quib::PictureOptions Options() const;

    // Shows the record at 0-based position `index` as Goto does: clamped
    // into the primary records, then repainted.
    void ShowRecord(int index);

  signals:
    // The document's data changed (New, Open, Import) and the view shows it.
    void DocumentChanged();
    // A file was opened or read again, and the view shows it.
    void FileOpened();
    // A command changed what the view shows (the record, the values, the
    // scale, ...) and has repainted it.
    void DisplayChanged();
    // The context menu is about to open with the view's own entries: others
    // add theirs. `node` is the node under the point it opens at, or -1.
    void ContextMenuOpening(QMenu* menu, int node);

  public:
    // The geometry of the last paint, and the display state.
    int m_nXOrigin = 0;
    int m_nRadius = 0;
    int m_nXUnit = 0;
    int m_nYUnit = 0;
    int m_nRecordIndex = 0;
    int m_nScale = 4;
    float m_fYOrigin = 0;
    LOGFONT m_logFont{};
    int m_nValues[quib::kNodeCount] = {};
    bool m_bHighlight = false;
    // The logical y of the view's top edge at the last paint.
    int m_topEdge = 25;
    // Fills the nodes that differ from the imported partner.
    bool m_differences = false;
    // The values shown: as read, or transformed over the lattice.
    quib::ValueTransform m_values = quib::ValueTransform::Read;
    // The keyboard's focus on a node, drawn on the screen only.
    quib::NodeFocus* const m_nodeFocus = new quib::NodeFocus(this);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The Menu key and Shift+F10 open the context menu too.
    void keyPressEvent(QKeyEvent* event) override;
    // Resting on a node tells its subset and its value.
    bool event(QEvent* event) override;
    // The picture, then the node focus ring over it.
    void paintEvent(QPaintEvent* event) override;

  private:
    // Keeps the index on a record of the primary dataset, or at 0 without one.
    void ClampToLastRecord();
    int PrimaryRecordCount() const;
    quib::LatticePicture Picture() const;
    // Asks for room for the whole picture, then repaints it at once.
    void Repaint();
    void FitToPicture();
    QString SummaryText() const;
    void ShowContextMenu(const QPoint& globalPos);
    // The node drawn at a point of the widget, if any.
    std::optional<quib::NodeHit> NodeUnder(const quib::LatticePicture& picture, QPoint at) const;

    QAction* m_copyPicture;
    QAction* m_copySummary;
    QAction* m_exportPicture;
    QAction* m_highlightDifferences;
    // The Values submenu's radio items, one per transform.
    QActionGroup* m_valuesChoice;
};
