#include "MyQuibView.h"

#include "FileDialog.h"
#include "LatticeTables.h"
#include "MessageBox.h"
#include "MyQuibDoc.h"
#include "PictureFile.h"
#include "Resources.h"
#include "SummaryFormats.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>

#include <cmath>

namespace {

// The resolution of a picture written to a file, as the command line's.
constexpr int kFileResolution = 96;

const char kExportFilters[] = "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)";

// The Values submenu's items in its order, with their object names.
struct ValuesItem {
    quib::ValueTransform values;
    const char* text;
    const char* name;
};
constexpr ValuesItem kValuesItems[] = {
    {quib::ValueTransform::Read, "As Read", "valuesRead"},
    {quib::ValueTransform::Mobius, "Möbius Inversion", "valuesMobius"},
    {quib::ValueTransform::Subsets, "Sums over Subsets", "valuesSubsets"},
    {quib::ValueTransform::Supersets, "Sums over Supersets", "valuesSupersets"},
};

} // namespace

CMyQuibView::CMyQuibView()
    : m_copyPicture(new QAction(QStringLiteral("Copy Picture"), this)),
      m_copySummary(new QAction(QStringLiteral("Copy Summary"), this)),
      m_exportPicture(new QAction(QStringLiteral("Export Picture..."), this)),
      m_highlightDifferences(new QAction(QStringLiteral("Highlight Differences"), this)),
      m_valuesChoice(new QActionGroup(this)) {
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

    m_copyPicture->setObjectName(QStringLiteral("copyPicture"));
    m_copySummary->setObjectName(QStringLiteral("copySummary"));
    m_exportPicture->setObjectName(QStringLiteral("exportPicture"));
    m_highlightDifferences->setObjectName(QStringLiteral("highlightDifferences"));
    m_highlightDifferences->setCheckable(true);
    connect(m_copyPicture, &QAction::triggered, this, &CMyQuibView::OnCopyPicture);
    connect(m_copySummary, &QAction::triggered, this, &CMyQuibView::OnCopySummary);
    connect(m_exportPicture, &QAction::triggered, this, &CMyQuibView::OnExportPicture);
    connect(m_highlightDifferences, &QAction::triggered, this,
            &CMyQuibView::OnHighlightDifferences);
    for (const ValuesItem& item : kValuesItems) {
        QAction* action = m_valuesChoice->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QLatin1String(item.name));
        action->setCheckable(true);
        action->setData(int(item.values));
        connect(action, &QAction::triggered, this,
                [this, values = item.values] { OnValues(values); });
    }
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

quib::LatticePicture CMyQuibView::Picture() const {
    return quib::LatticePicture(*GetDocument(), Options());
}

int CMyQuibView::PrimaryRecordCount() const {
    return GetDocument()->m_primaryRecords.GetSize();
}

bool CMyQuibView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

// The printed page depends on nothing but the drawing.
void CMyQuibView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CMyQuibView::OnEndPrinting(CDC*, CPrintInfo*) {}

// A page holds the whole picture: one larger than its printable area is
// scaled down to fit.
void CMyQuibView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    CView::OnPrepareDC(pDC, pInfo);
    const int top =
        pInfo != nullptr
            ? Picture().Prepare(pDC, {pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)})
            : Picture().Prepare(pDC);
    if (pInfo == nullptr)
        m_topEdge = top;
}

void CMyQuibView::OnDraw(CDC* pDC) {
    const quib::PictureGeometry geometry = quib::PictureGeometry::AtScale(m_nScale);
    m_nXOrigin = geometry.xOrigin;
    m_fYOrigin = geometry.yOrigin;
    m_nRadius = geometry.radius;
    m_nXUnit = geometry.xUnit;
    m_nYUnit = geometry.yUnit;
    const quib::LatticePicture picture = Picture();
    if (!picture.HasData()) {
        picture.Draw(pDC);
        return;
    }
    DrawDataset(pDC, 0, m_nXOrigin);
    if (picture.ShowsImported())
        DrawDataset(pDC, 1, m_nXOrigin - quib::kImportedShift);
}

void CMyQuibView::DrawDataset(CDC* pDC, int dataset, int xOrigin) {
    for (int n = 0; n < quib::kNodeCount; ++n)
        m_nValues[n] = GetDocument()->GetNodeValue(m_nRecordIndex, n, dataset);
    Picture().DrawDataset(pDC, dataset, xOrigin);
}

bool CMyQuibView::IsMinimalNode(int node) const {
    return quib::IsMinimalNodeOf(m_nValues, node);
}

void CMyQuibView::OnUpdate(CView* sender) {
    FitToPicture();
    CView::OnUpdate(sender);
    emit DocumentChanged();
    m_nodeFocus->Shown();
}

void CMyQuibView::OnInitialUpdate() {
    const bool opened = !GetDocument()->GetPathName().isEmpty();
    if (opened)
        ClampToLastRecord();
    CView::OnInitialUpdate();
    if (opened)
        emit FileOpened();
}

void CMyQuibView::Repaint() {
    FitToPicture();
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    emit DisplayChanged();
    m_nodeFocus->Shown();
}

void CMyQuibView::paintEvent(QPaintEvent* event) {
    CView::paintEvent(event);
    m_nodeFocus->Paint();
}

void CMyQuibView::FitToPicture() {
    if (GetDocument() == nullptr)
        return;
    const QSizeF inches =
        quib::PageInches(*GetDocument(), Options(), {m_nRecordIndex}, logicalDpiY());
    setMinimumSize(int(std::ceil(inches.width() * logicalDpiX())),
                   int(std::ceil(inches.height() * logicalDpiY())));
}

void CMyQuibView::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->globalPos());
}

bool CMyQuibView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return CView::event(event);
    if (GetDocument() == nullptr)
        return true;
    const quib::LatticePicture picture = Picture();
    if (const auto hit = NodeUnder(picture, static_cast<QHelpEvent*>(event)->pos()))
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           QString::fromStdString(picture.NodeDescription(hit->node)), this);
    else
        QToolTip::hideText();
    return true;
}

// Pixels to logical units: 1/100 inch, y upwards from (0, 25).
std::optional<quib::NodeHit> CMyQuibView::NodeUnder(const quib::LatticePicture& picture,
                                                    QPoint at) const {
    return picture.NodeAt(at.x() * 100.0 / logicalDpiX(), 25 - at.y() * 100.0 / logicalDpiY());
}

void CMyQuibView::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    void (CMyQuibView::*command)() = nullptr;
    if (plain && event->key() == Qt::Key_Home)
        command = &CMyQuibView::OnNavigateFirst;
    else if (plain && event->key() == Qt::Key_End)
        command = &CMyQuibView::OnNavigateLast;
    else if (plain && event->key() == Qt::Key_PageDown)
        command = &CMyQuibView::OnPageDown;
    else if (plain && event->key() == Qt::Key_PageUp)
        command = &CMyQuibView::OnPageUp;
    if (command == nullptr && !menuKey)
        return CView::keyPressEvent(event);
    event->accept();
    if (command != nullptr)
        (this->*command)();
    else
        ShowContextMenu(mapToGlobal(QPoint(width() / 4, height() / 4)));
}

void CMyQuibView::ShowContextMenu(const QPoint& globalPos) {
    const quib::LatticePicture picture = Picture();
    for (QAction* action : {m_copyPicture, m_copySummary, m_exportPicture})
        action->setEnabled(picture.HasData());
    m_highlightDifferences->setEnabled(picture.ShowsImported());
    m_highlightDifferences->setChecked(m_differences);
    for (QAction* action : m_valuesChoice->actions())
        action->setChecked(action->data().toInt() == int(m_values));
    QMenu menu(this);
    menu.addActions({m_copyPicture, m_copySummary, m_exportPicture});
    menu.addSeparator();
    menu.addAction(m_highlightDifferences);
    QMenu* values = menu.addMenu(QStringLiteral("Values"));
    values->setObjectName(QStringLiteral("valuesMenu"));
    values->addActions(m_valuesChoice->actions());
    const auto hit = NodeUnder(picture, mapFromGlobal(globalPos));
    emit ContextMenuOpening(&menu, hit ? hit->node : -1);
    menu.exec(globalPos);
}

// What --summary prints for the record with the options shown; where no
// record is shown, the lines drawn.
QString CMyQuibView::SummaryText() const {
    const CMyQuibDoc& document = *GetDocument();
    if (m_nRecordIndex >= PrimaryRecordCount()) {
        QString text;
        for (const std::string& line : Picture().SummaryLines())
            text += QString::fromStdString(line) + QLatin1Char('\n');
        return text;
    }
    const quib::PictureOptions options = Options();
    const quib::SummaryLayout layout =
        quib::SummaryLayoutOf(document, options.values, options.highlight, options.differences);
    quib::SummaryRecord record;
    quib::FillSummaryRecord(document, layout, m_nRecordIndex, record);
    char text[quib::kSummaryRecordBytes];
    const char* end = quib::WriteSummaryRecord(text, quib::SummaryFormat::Text, layout, record);
    return QString::fromUtf8(text, end - text);
}

void CMyQuibView::OnHighlightDifferences() {
    m_differences = !m_differences;
    Repaint();
}

void CMyQuibView::OnValues(quib::ValueTransform values) {
    m_values = values;
    Repaint();
}

void CMyQuibView::OnCopyPicture() {
    auto* data = new QMimeData;
    data->setData(
        QStringLiteral("image/png"),
        quib::PictureBytes(*GetDocument(), Options(), quib::PictureFormat::Png, logicalDpiX()));
    data->setData(
        QStringLiteral("image/svg+xml"),
        quib::PictureBytes(*GetDocument(), Options(), quib::PictureFormat::Svg, logicalDpiX()));
    data->setText(SummaryText());
    QGuiApplication::clipboard()->setMimeData(data);
}

void CMyQuibView::OnUpdateCopy(CCmdUI* pCmdUI) {
    pCmdUI->Enable(Picture().HasData());
}

void CMyQuibView::OnCopySummary() {
    QGuiApplication::clipboard()->setText(SummaryText());
}

// Offered beside the data file, named after it and the record; never over a
// data file that is open, and another file only when the user says so.
void CMyQuibView::OnExportPicture() {
    const CMyQuibDoc* document = GetDocument();
    const QFileInfo data(document->GetPathName());
    const CLatticeRecordArray& records = document->m_primaryRecords;
    const int number = m_nRecordIndex < records.GetSize() ? records[m_nRecordIndex].m_nRecordNumber
                                                          : m_nRecordIndex + 1;
    const QString base =
        data.fileName().isEmpty() ? QStringLiteral("picture") : data.completeBaseName();
    CFileDialog dialog(false, QString(),
                       QStringLiteral("%1/%2-%3.png").arg(data.absolutePath(), base).arg(number),
                       OFN_HIDEREADONLY, QString::fromLatin1(kExportFilters), this);
    if (dialog.DoModal() != IDOK)
        return;
    QString path = dialog.GetPathName();
    quib::PictureFormat format;
    if (!quib::PictureFormatOf(path.toStdString(), format)) {
        // A name without a picture's extension takes the chosen filter's.
        const QString filter = dialog.GetSelectedFilter();
        path += filter.mid(filter.indexOf(QLatin1String("*.")) + 1).chopped(1);
        PictureFormatOf(path.toStdString(), format);
    }
    QStringList dataFiles = document->ImportedPaths();
    dataFiles << document->GetPathName();
    const auto refuse = [&path](std::error_code error) {
        AfxMessageBox(AsSentence(quib::CannotWriteMessage(path, error)), MB_ICONEXCLAMATION);
    };
    if (quib::IsDataFile(path, dataFiles))
        return refuse(quib::PictureError::OpenDataFile);
    if (QFileInfo::exists(path) &&
        AfxMessageBox(QStringLiteral("'%1' already exists. Replace it?").arg(path),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (const std::error_code error = quib::SavePictures(
            *document, Options(), {format, kFileResolution, {m_nRecordIndex}, {}}, path, dataFiles))
        refuse(error);
}
