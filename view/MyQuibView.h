#pragma once

#include "LatticePicture.h"
#include "PictureOptions.h"
#include "View.h"

#include <functional>
#include <vector>

class CCmdUI;
class CMyQuibDoc;
class CPrintInfo;
class QAction;
class QMenu;

// The window's view of the document: the lattice picture of its current
// record on the screen and on paper, and the commands that change which
// record is shown and how. Its context menu copies and exports the picture;
// it asks for room for the whole picture, which its scroll bars give. It
// keeps the display state; every paint, print, copy and export draws a
// picture built from it.
class CMyQuibView : public CView {
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
    // After a file is opened: its records are shown, the position kept
    // where the file is long enough.
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

    // The context menu's: the picture on the clipboard as PNG at the
    // screen's resolution, as SVG and as its summary lines; the summary
    // lines alone; the picture to a file, as the command line writes it.
    void OnCopyPicture();
    void OnCopySummary();
    void OnExportPicture();
    // Fills the nodes that differ from the imported partner, while an
    // import is shown.
    void OnHighlightDifferences();

    // What the window shows, as every picture of it is drawn.
    quib::PictureOptions Options() const;

    // Shows the record at a 0-based position, repainted as the navigation
    // commands repaint.
    void GoToRecord(int index);

    // What a panel beside the view adds to it: items at the end of the
    // context menu, added (and enabled) each time it opens, and word of each
    // change of the document once the view has taken it in.
    struct PanelHooks {
        std::function<void(QMenu& menu)> addMenuItems;
        std::function<void()> documentChanged;
    };
    void AddPanelHooks(PanelHooks hooks) { m_panelHooks.push_back(std::move(hooks)); }

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
    // Fills the nodes that differ from the imported partner.
    bool m_differences = false;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The Menu key and Shift+F10 open the context menu too.
    void keyPressEvent(QKeyEvent* event) override;
    // Resting on a node tells its subset and its value.
    bool event(QEvent* event) override;

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

    QAction* m_copyPicture;
    QAction* m_copySummary;
    QAction* m_exportPicture;
    QAction* m_highlightDifferences;
    std::vector<PanelHooks> m_panelHooks;
};
