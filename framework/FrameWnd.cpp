#include "FrameWnd.h"

#include "AfxResources.h"
#include "Document.h"
#include "LockKeys.h"
#include "Menu.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "View.h"
#include "WinApp.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>

namespace {

// The panes the frame lights while a lock key is on.
constexpr UINT kLockIndicators[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A command's action: its menu item, toolbar button and keys at once.
class ActionCmdUI : public CCmdUI {
  public:
    ActionCmdUI(UINT id, QAction* action) : CCmdUI(id), m_action(action) {}
    void Enable(bool on) override { m_action->setEnabled(on); }
    void SetCheck(int check) override {
        m_action->setCheckable(true);
        m_action->setChecked(check != 0);
    }
    void SetText(const QString& text) override { m_action->setText(text); }
    void Show(bool on) override { m_action->setVisible(on); }

  private:
    QAction* m_action;
};

constexpr std::pair<DWORD, Qt::ToolBarArea> kAreas[] = {{CBRS_ALIGN_LEFT, Qt::LeftToolBarArea},
                                                        {CBRS_ALIGN_RIGHT, Qt::RightToolBarArea},
                                                        {CBRS_ALIGN_BOTTOM, Qt::BottomToolBarArea},
                                                        {CBRS_ALIGN_TOP, Qt::TopToolBarArea}};

// The edge a bar's style puts it at: the top unless it names another.
Qt::ToolBarArea AreaOf(DWORD style) {
    for (const auto& [bit, area] : kAreas)
        if (style & bit)
            return area;
    return Qt::TopToolBarArea;
}

} // namespace

Qt::ToolBarAreas DockAreas(DWORD dockStyle) {
    Qt::ToolBarAreas areas;
    for (const auto& [bit, area] : kAreas)
        if (dockStyle & bit)
            areas |= area;
    return areas;
}

CFrameWnd::CFrameWnd() {
    MapCommand(ID_VIEW_TOOLBAR, [this] { OnBarCheck(ID_VIEW_TOOLBAR); });
    MapCommand(ID_VIEW_STATUS_BAR, [this] { OnBarCheck(ID_VIEW_STATUS_BAR); });
    MapUpdateCommandUI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu);
    MapUpdateCommandUI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu);
    for (UINT indicator : kLockIndicators)
        MapUpdateCommandUI(indicator, &CFrameWnd::OnUpdateKeyIndicator);
}

bool CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* context) {
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return false;
    if (cs.cx > 0 && cs.cy > 0) {
        setGeometry(cs.x, cs.y, cs.cx, cs.cy);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // A new top-level window's usual size: most of the screen, rather
        // than the few pixels an empty view asks for.
        const QRect available = screen->availableGeometry();
        resize(available.width() * 3 / 4, available.height() * 3 / 4);
    }
    m_strTitle = AfxLoadString(nIDResource).section(QLatin1Char('\n'), 0, 0);
    if (AfxGetResources().mainIcon != nullptr)
        setWindowIcon(AfxGetResources().mainIcon());
    CreateActions();
    BuildMenu();
    m_pContext = context;
    const int created = OnCreate(&cs);
    m_pContext = nullptr;
    if (created == -1)
        return false;
    FindHandlers();
    UpdateCommandUI();
    qApp->installEventFilter(this);
    return true;
}

void CFrameWnd::FindHandlers() {
    CView* view = GetActiveView();
    const CCmdTarget* targets[] = {view, view != nullptr ? view->GetDocument() : nullptr, this,
                                   AfxGetApp()};
    const auto handlersOf = [&](UINT id) {
        Handlers found;
        for (const CCmdTarget* target : targets) {
            if (target == nullptr)
                continue;
            if (!found.command)
                if (const CommandHandler* command = target->FindCommandHandler(id))
                    found.command = *command;
            if (!found.update)
                if (const UpdateHandler* update = target->FindUpdateHandler(id))
                    found.update = *update;
        }
        return found;
    };
    for (const auto& [id, action] : m_actions)
        m_handlers[id] = handlersOf(id);
    for (UINT indicator : kLockIndicators)
        m_handlers[indicator] = handlersOf(indicator);
}

int CFrameWnd::OnCreate(CREATESTRUCT* cs) {
    return OnCreateClient(cs, m_pContext) ? 0 : -1;
}

bool CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
    if (context == nullptr || context->m_pNewViewClass == nullptr)
        return true;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return false;
    }
    // Scroll bars show when the view asks for more room (its minimum size)
    // than the window gives it; the keys stay the view's.
    auto* scroller = new QScrollArea;
    scroller->setWidget(view);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scroller);
    if (context->m_pCurrentDoc != nullptr)
        context->m_pCurrentDoc->AddView(view);
    m_pActiveView = view;
    view->setFocus();
    return true;
}

void CFrameWnd::CreateActions() {
    const AfxResourceTables& resources = AfxGetResources();
    for (const CommandName& command : resources.commandNames) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(command.name));
        const QString strings = AfxLoadString(command.id);
        const QString prompt = strings.section(QLatin1Char('\n'), 0, 0);
        const QString tip = strings.section(QLatin1Char('\n'), 1, 1);
        const QString label = AfxFindMenuLabel(command.id);
        action->setText(label.isEmpty() ? tip : label.section(QLatin1Char('\t'), 0, 0));
        if (label.contains(QLatin1Char('\t')))
            action->setProperty(kKeysLabelProperty, label.section(QLatin1Char('\t'), 1));
        action->setStatusTip(prompt);
        action->setToolTip(tip.isEmpty() ? action->text() : tip);
        QList<QKeySequence> keys;
        for (const Accelerator& accelerator : resources.accelerators)
            if (accelerator.id == command.id)
                keys.append(QKeySequence(accelerator.key));
        action->setShortcuts(keys);
        const UINT id = command.id;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
        addAction(action);
        m_actions[id] = action;
    }
}

void CFrameWnd::BuildMenu() {
    for (const MenuPopup& popup : AfxGetResources().menu) {
        auto* menu = new CMenu(QString::fromUtf8(popup.title), menuBar());
        menuBar()->addMenu(menu);
        for (const MenuItem& item : popup.items) {
            if (item.id == ID_SEPARATOR) {
                menu->addSeparator();
            } else if (item.id == ID_FILE_MRU_FILE1) {
                // The placeholder stands for the whole recent-file list.
                for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE4; ++id)
                    if (QAction* action = FindAction(id))
                        menu->addAction(action);
            } else if (QAction* action = FindAction(item.id)) {
                menu->addAction(action);
            }
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    UpdateAction(action->data().toUInt(), action);
        });
    }
}

QAction* CFrameWnd::FindAction(UINT id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pActiveView != nullptr ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle() {
    const CDocument* document = GetActiveDocument();
    setWindowTitle(document != nullptr ? document->GetTitle() + QStringLiteral(" - ") + m_strTitle
                                       : m_strTitle);
}

bool CFrameWnd::HandlesCommand(UINT id) const {
    const auto found = m_handlers.find(id);
    return found != m_handlers.end() && found->second.command;
}

bool CFrameWnd::UpdateCmdUI(UINT id, CCmdUI* ui) const {
    const auto found = m_handlers.find(id);
    if (found == m_handlers.end() || !found->second.update)
        return false;
    found->second.update(ui);
    return true;
}

// The action's state is kept up to date, so a disabled action stands for a
// command that may not run now.
void CFrameWnd::SendCommand(UINT id) {
    const QAction* action = FindAction(id);
    if (!HandlesCommand(id) || (action != nullptr && !action->isEnabled()))
        return;
    const UINT outer = m_nCurrentCommand;
    m_nCurrentCommand = id;
    m_handlers.at(id).command();
    m_nCurrentCommand = outer;
    UpdateCommandUI();
}

void CFrameWnd::UpdateAction(UINT id, QAction* action) {
    ActionCmdUI ui(id, action);
    ui.Enable(HandlesCommand(id));
    UpdateCmdUI(id, &ui);
}

void CFrameWnd::UpdatePanes() {
    if (auto* bar = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR)))
        bar->OnUpdateCmdUI(this);
}

void CFrameWnd::UpdateCommandUI() {
    for (const auto& [id, action] : m_actions)
        UpdateAction(id, action);
    UpdatePanes();
}

bool CFrameWnd::TranslateAccelerator(const QKeyEvent* event) {
    const QKeyCombination key(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    for (const Accelerator& accelerator : AfxGetResources().accelerators) {
        if (accelerator.key != key)
            continue;
        if (QAction* action = FindAction(accelerator.id); action != nullptr && action->isEnabled())
            action->trigger();
        return true;
    }
    return false;
}

void CFrameWnd::DragAcceptFiles(bool accept) {
    setAcceptDrops(accept);
}

void CFrameWnd::OnDropFiles(const QStringList& pathNames) {
    if (AfxGetApp() != nullptr)
        AfxGetApp()->OpenDocumentFile(pathNames.front());
}

namespace {
// The local files a drag carries; empty when it carries anything else too.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}
} // namespace

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    OnDropFiles(paths);
}

bool CFrameWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdatePanes();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CFrameWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        UpdatePanes();
    QMainWindow::changeEvent(event);
}

void CFrameWnd::EnableDocking(DWORD dockStyle) {
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::DockControlBar(CToolBar* bar) {
    bar->setAllowedAreas(bar->allowedAreas() & DockAreas(m_dwDockStyle));
    addToolBar(AreaOf(bar->GetBarStyle()), bar);
}

QWidget* CFrameWnd::GetControlBar(UINT id) const {
    const auto found = m_controlBars.find(id);
    return found == m_controlBars.end() ? nullptr : found->second;
}

void CFrameWnd::OnBarCheck(UINT id) {
    if (QWidget* bar = GetControlBar(id))
        bar->setVisible(bar->isHidden());
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
    QWidget* bar = GetControlBar(cmdUI->m_nID);
    cmdUI->Enable(bar != nullptr);
    cmdUI->SetCheck(bar != nullptr && !bar->isHidden());
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* cmdUI) {
    const LockKey key = cmdUI->m_nID == ID_INDICATOR_CAPS  ? LockKey::Caps
                        : cmdUI->m_nID == ID_INDICATOR_NUM ? LockKey::Num
                                                           : LockKey::Scroll;
    cmdUI->Enable(IsLockKeyOn(key));
}
