#include "MyQuibView.h"

#include "CommandTable.h"
#include "MeasuringSurface.h"
#include "MyQuibDoc.h"
#include "NodeFocus.h"
#include "PictureOut.h"
#include "Resources.h"
#include "SummaryFormats.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QToolTip>

#include <cmath>

CMyQuibView::CMyQuibView()
    : m_commands(new quib::CommandTable(*this)), m_nodeFocus(new quib::NodeFocus(this)) {
    MapCommand(ID_FILE_PRINT, &CMyQuibView::OnFilePrint);
    MapCommand(ID_FILE_PRINT_DIRECT, &CMyQuibView::OnFilePrint);
    MapCommand(ID_FILE_PRINT_PREVIEW, &CMyQuibView::OnFilePrintPreview);
    MapCommand(ID_NAVIGATE_DOWN, &CMyQuibView::OnNavigateDown);
    MapCommand(ID_NAVIGATE_UP, &CMyQuibView::OnNavigateUp);
    MapCommand(ID_NAVIGATE_FIRST, &CMyQuibView::OnNavigateFirst);
    MapCommand(ID_NAVIGATE_LAST, &CMyQuibView::OnNavigateLast);
    MapCommand(ID_NAVIGATE_GOTO, &CMyQuibView::OnNavigateGoto);
    MapCommand(ID_OPTIONS_HIGHLIGHT, &CMyQuibView::OnOptionsHighlight);
    MapUpdateCommandUI(ID_OPTIONS_HIGHLIGHT, &CMyQuibView::OnUpdateOptionsHighlight);
    MapCommand(ID_OPTIONS_SCALE_LARGER, &CMyQuibView::OnOptionsScaleLarger);
    MapCommand(ID_OPTIONS_SCALE_SMALLER, &CMyQuibView::OnOptionsScaleSmaller);
    MapCommand(ID_OPTIONS_FONT, &CMyQuibView::OnOptionsFont);
    MapCommand(ID_EDIT_COPY, &CMyQuibView::OnCopyPicture);
    MapUpdateCommandUI(ID_EDIT_COPY, &CMyQuibView::OnUpdateCopy);
    BindCommands();
}

CMyQuibView::~CMyQuibView() = default;

void CMyQuibView::BindCommands() {
    using quib::CommandId;
    const auto hasData = [this] { return Picture().HasData(); };
    const auto showsImported = [this] { return Picture().ShowsImported(); };
    quib::CommandTable& table = *m_commands;
    table.Bind(CommandId::CopyPicture, {[this] { OnCopyPicture(); }, hasData});
    table.Bind(CommandId::CopySummary, {[this] { OnCopySummary(); }, hasData});
    table.Bind(CommandId::ExportPicture, {[this] { OnExportPicture(); }, hasData});
    table.Bind(CommandId::HighlightDifferences, {[this] { SetDifferences(!m_differences); },
                                                 showsImported, [this] { return m_differences; }});
    const std::pair<CommandId, quib::ValueTransform> values[] = {
        {CommandId::ValuesRead, quib::ValueTransform::Read},
        {CommandId::ValuesMobius, quib::ValueTransform::Mobius},
        {CommandId::ValuesSubsets, quib::ValueTransform::Subsets},
        {CommandId::ValuesSupersets, quib::ValueTransform::Supersets}};
    for (const auto& [id, transform] : values)
        table.Bind(id, {[this, transform] { SetValues(transform); },
                        {},
                        [this, transform] { return m_values == transform; }});
    table.Bind(CommandId::FirstRecord, {[this] { OnNavigateFirst(); }});
    table.Bind(CommandId::LastRecord, {[this] { OnNavigateLast(); }});
    table.Bind(CommandId::PageBack, {[this] { OnPageUp(); }});
    table.Bind(CommandId::PageForward, {[this] { OnPageDown(); }});
    table.Bind(CommandId::NextNode, {[this] { m_nodeFocus->Step(true); }, hasData});
    table.Bind(CommandId::PreviousNode, {[this] { m_nodeFocus->Step(false); }, hasData});
    table.Bind(CommandId::LeaveNode,
               {[this] { m_nodeFocus->Leave(); }, [this] { return FocusedNode().has_value(); }});
    table.Bind(CommandId::ContextMenu, {[this] {
                   ShowContextMenu(mapToGlobal(QPoint(width() / 4, height() / 4)), FocusedNode());
               }});
}

CMyQuibDoc* CMyQuibView::GetDocument() const {
    return static_cast<CMyQuibDoc*>(CView::GetDocument());
}

quib::PictureOptions CMyQuibView::Options() const {
    quib::PictureOptions options;
    options.record = m_nRecordIndex;
    options.scale = m_nScale;
    options.highlight = m_bHighlight;
    options.differences = m_differences;
    options.values = m_values;
    options.font = m_logFont;
    return options;
}

std::shared_ptr<const LatticeDocument> CMyQuibView::Snapshot() const {
    static const auto none = std::make_shared<const LatticeDocument>();
    return GetDocument() != nullptr ? GetDocument()->Snapshot() : none;
}

const LatticeDocument& CMyQuibView::Data() const {
    return GetDocument() != nullptr ? GetDocument()->Data() : *Snapshot();
}

const quib::LatticePicture& CMyQuibView::Picture() const {
    if (!m_picture || m_pictureData != Snapshot()) {
        m_pictureData = Snapshot();
        quib::MeasuringSurface screen(logicalDpiX(), logicalDpiY());
        m_picture.emplace(*m_pictureData, Options(), screen.Surface());
    }
    return *m_picture;
}

std::optional<quib::NodeHit> CMyQuibView::FocusedNode() const {
    return m_nodeFocus->Focused();
}

std::optional<quib::NodeHit> CMyQuibView::NodeAt(QPoint point) const {
    return Picture().NodeAt(point.x(), point.y());
}

QRectF CMyQuibView::NodeRect(quib::NodeHit hit) const {
    const quib::PixelBox box = Picture().NodeBox(hit);
    return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom));
}

int CMyQuibView::PrimaryRecordCount() const {
    return Data().m_primaryRecords.GetSize();
}

bool CMyQuibView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

// The printed page depends on nothing but the drawing.
void CMyQuibView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CMyQuibView::OnEndPrinting(CDC*, CPrintInfo*) {}

// The screen's picture is laid out for the screen; paper gets its own, and a
// page holds the whole of it: one larger than its printable area is scaled
// down to fit.
void CMyQuibView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    CView::OnPrepareDC(pDC, pInfo);
    if (pInfo == nullptr)
        Picture().Prepare(pDC);
    else
        quib::LatticePicture(Data(), Options(), pDC)
            .Prepare(pDC, {pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)});
}

void CMyQuibView::OnDraw(CDC* pDC) {
    const quib::LatticePicture& picture = Picture();
    if (!picture.HasData()) {
        picture.Draw(pDC);
        return;
    }
    const int xOrigin = picture.Geometry().xOrigin;
    DrawDataset(pDC, 0, xOrigin);
    if (picture.ShowsImported())
        DrawDataset(pDC, 1, xOrigin - quib::kImportedShift);
}

void CMyQuibView::DrawDataset(CDC* pDC, int dataset, int xOrigin) {
    Picture().DrawDataset(pDC, dataset, xOrigin);
}

bool CMyQuibView::IsMinimalNode(int node) const {
    return Picture().IsMinimalNode(0, node);
}

void CMyQuibView::OnUpdate(CView* sender, LPARAM hint) {
    const bool fileRead = hint == kFileRead;
    if (fileRead)
        ClampToLastRecord();
    m_picture.reset();
    FitToPicture();
    CView::OnUpdate(sender, hint);
    emit Changed(fileRead ? quib::ViewChange::Document | quib::ViewChange::FileRead
                          : quib::ViewChange::Document);
    m_commands->Refresh();
}

void CMyQuibView::OnInitialUpdate() {
    OnUpdate(nullptr, GetDocument()->GetPathName().isEmpty() ? kDatasetsChanged : kFileRead);
}

void CMyQuibView::Repaint(quib::ViewChanges what) {
    m_picture.reset();
    FitToPicture();
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    emit Changed(what);
    m_commands->Refresh();
}

void CMyQuibView::paintEvent(QPaintEvent* event) {
    CView::paintEvent(event);
    m_nodeFocus->Paint();
}

void CMyQuibView::FitToPicture() {
    const QSizeF inches = quib::PageInches(Picture().Extent());
    setMinimumSize(int(std::ceil(inches.width() * logicalDpiX())),
                   int(std::ceil(inches.height() * logicalDpiY())));
}

void CMyQuibView::contextMenuEvent(QContextMenuEvent* event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    ShowContextMenu(event->globalPos(), byMouse ? NodeAt(event->pos()) : FocusedNode());
}

void CMyQuibView::keyPressEvent(QKeyEvent* event) {
    if (m_commands->TriggerKey(*event))
        event->accept();
    else
        CView::keyPressEvent(event);
}

bool CMyQuibView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return CView::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const auto hit = NodeAt(help->pos()))
        QToolTip::showText(help->globalPos(),
                           QString::fromStdString(Picture().NodeDescription(hit->node)), this);
    else
        QToolTip::hideText();
    return true;
}

void CMyQuibView::ShowContextMenu(const QPoint& globalPos, std::optional<quib::NodeHit> node) {
    m_commands->SetNodeUnderPoint(node ? node->node : -1);
    m_commands->ContextMenu().exec(globalPos);
    m_commands->SetNodeUnderPoint(-1);
}

// What --summary prints for the record with the options shown; where no
// record is shown, the lines drawn.
QString CMyQuibView::SummaryText() const {
    if (m_nRecordIndex >= PrimaryRecordCount()) {
        QString text;
        for (const std::string& line : Picture().SummaryLines())
            text += QString::fromStdString(line) + QLatin1Char('\n');
        return text;
    }
    const quib::PictureOptions options = Options();
    const quib::SummaryLayout layout =
        quib::SummaryLayoutOf(Data(), options.values, options.highlight, options.differences);
    quib::SummaryRecord record;
    quib::FillSummaryRecord(Data(), layout, m_nRecordIndex, record);
    char text[quib::kSummaryRecordBytes];
    const char* end = quib::WriteSummaryRecord(text, quib::SummaryFormat::Text, layout, record);
    return QString::fromUtf8(text, end - text);
}

void CMyQuibView::SetDifferences(bool on) {
    m_differences = on;
    Repaint(quib::ViewChange::Differences);
}

void CMyQuibView::SetValues(quib::ValueTransform values) {
    m_values = values;
    Repaint(quib::ViewChange::Values);
}

void CMyQuibView::OnCopyPicture() {
    const std::shared_ptr<const LatticeDocument> shown = Snapshot();
    const std::vector<int> record{m_nRecordIndex};
    quib::CopyPicture(quib::RecordPages(*shown, Options(), record), logicalDpiX(), SummaryText());
}

void CMyQuibView::OnUpdateCopy(CCmdUI* pCmdUI) {
    pCmdUI->Enable(Picture().HasData());
}

void CMyQuibView::OnCopySummary() {
    QGuiApplication::clipboard()->setText(SummaryText());
}

// Offered beside the data file, named after it and the record.
void CMyQuibView::OnExportPicture() {
    const CMyQuibDoc* document = GetDocument();
    const CLatticeRecordArray& records = Data().m_primaryRecords;
    const int number = m_nRecordIndex < records.GetSize() ? records[m_nRecordIndex].m_nRecordNumber
                                                          : m_nRecordIndex + 1;
    // The datasets shown stay while the file is written, whatever a read
    // meanwhile brings.
    const std::shared_ptr<const LatticeDocument> shown = Snapshot();
    const std::vector<int> record{m_nRecordIndex};
    quib::ExportPicture(this, quib::RecordPages(*shown, Options(), record),
                        quib::SuggestedPictureName(document->GetPathName(),
                                                   QStringLiteral("picture"),
                                                   QString::number(number)),
                        document->DataFiles());
}
