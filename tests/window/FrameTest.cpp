// The frame built from the resource tables, around a view that records the
// commands it receives.

#include "DocTemplate.h"
#include "Document.h"
#include "MainFrame.h"
#include "Menu.h"
#include "ModalDriver.h"
#include "MyQuibDoc.h"
#include "Resources.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "View.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Takes every command that a key sends, so that each key can be followed.
class RecordingView : public CView {
  public:
    RecordingView() {
        for (const Accelerator& accelerator : kQuibResources.accelerators) {
            const UINT id = accelerator.id;
            MapCommand(id, [this, id] { m_received.push_back(id); });
        }
        MapUpdateCommandUI(ID_NAVIGATE_GOTO, [this](CCmdUI*) { ++m_gotoUpdates; });
    }
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override {
        CView::OnPrepareDC(dc, info);
        m_paintSteps.push_back(info == nullptr ? "prepare" : "prepare for print");
    }
    void OnDraw(CDC*) override { m_paintSteps.push_back("draw"); }

    std::vector<UINT> m_received;
    std::vector<std::string> m_paintSteps;
    int m_gotoUpdates = 0;
};

QString Prompt(UINT id) {
    return AfxLoadString(id).section('\n', 0, 0);
}
QString Tip(UINT id) {
    return AfxLoadString(id).section('\n', 1, 1);
}

class FrameTest : public testing::Test {
  protected:
    void SetUp() override {
        std::error_code error;
        ASSERT_NE(m_template.OpenDocumentFile(QString(), error), nullptr) << error.message();
        m_frame = m_template.GetFrame();
        m_view = dynamic_cast<RecordingView*>(m_frame->GetActiveView());
        ASSERT_NE(m_view, nullptr);
        m_frame->resize(900, 700);
        m_frame->show();
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
        m_view->setFocus();
    }

    QAction* Action(UINT id) const { return m_frame->FindAction(id); }
    // What the menu item of a command shows, its keys after a tab.
    QString Shown(UINT id) const {
        for (const CMenu* menu : m_frame->menuBar()->findChildren<CMenu*>())
            if (menu->actions().contains(Action(id)))
                return menu->ShownText(Action(id));
        return {};
    }
    CToolBar* ToolBar() const { return m_frame->findChild<CToolBar*>(); }
    CStatusBar* StatusBar() const { return m_frame->findChild<CStatusBar*>(); }

    CSingleDocTemplate m_template{IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc),
                                  RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(RecordingView)};
    CFrameWnd* m_frame = nullptr;
    RecordingView* m_view = nullptr;
};

TEST_F(FrameTest, EveryCommandIsOneActionWithTheTablesTexts) {
    for (const CommandName& command : kQuibResources.commandNames) {
        SCOPED_TRACE(command.name);
        auto* action = m_frame->findChild<QAction*>(command.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action, Action(command.id));
        EXPECT_EQ(action->statusTip(), Prompt(command.id));
        if (!Tip(command.id).isEmpty()) {
            EXPECT_EQ(action->toolTip(), Tip(command.id));
        }
        QList<QKeySequence> keys;
        for (const Accelerator& accelerator : kQuibResources.accelerators)
            if (accelerator.id == command.id)
                keys.append(QKeySequence(accelerator.key));
        EXPECT_EQ(action->shortcuts(), keys);
    }
}

TEST_F(FrameTest, MenusHoldTheTablesItemsInOrder) {
    const QList<QAction*> popups = m_frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<int>(kQuibResources.menu.size()));
    for (int p = 0; p < popups.size(); ++p) {
        const MenuPopup& popup = kQuibResources.menu[p];
        SCOPED_TRACE(popup.title);
        EXPECT_EQ(popups[p]->text(), QString::fromUtf8(popup.title));
        const QList<QAction*> items = popups[p]->menu()->actions();
        int k = 0;
        for (const MenuItem& item : popup.items) {
            ASSERT_LT(k, items.size());
            if (item.id == ID_SEPARATOR) {
                EXPECT_TRUE(items[k++]->isSeparator());
                continue;
            }
            EXPECT_EQ(items[k], Action(item.id));
            // Each item shows its label, the keys after a tab as it tells
            // them; the recent-file placeholder reads as stored until files
            // are opened.
            const QString label = QString::fromUtf8(item.label);
            const QString shown = Shown(item.id);
            EXPECT_EQ(shown.section('\t', 0, 0), label.section('\t', 0, 0));
            if (label.contains('\t')) {
                EXPECT_EQ(shown, label);
            }
            ++k;
            if (item.id == ID_FILE_MRU_FILE1) {
                for (UINT more = ID_FILE_MRU_FILE2; more <= ID_FILE_MRU_FILE4; ++more)
                    EXPECT_EQ(items[k++], Action(more));
            }
        }
        EXPECT_EQ(k, items.size());
    }
}

TEST_F(FrameTest, EveryKeySendsItsCommand) {
    ASSERT_EQ(kQuibResources.accelerators.size(), 19u);
    for (const Accelerator& accelerator : kQuibResources.accelerators) {
        const QKeySequence key(accelerator.key);
        SCOPED_TRACE(key.toString().toStdString());
        m_view->m_received.clear();
        QTest::keyClick(m_view, accelerator.key.key(), accelerator.key.keyboardModifiers());
        EXPECT_EQ(m_view->m_received, std::vector<UINT>{accelerator.id});
    }
}

TEST_F(FrameTest, ArrowKeysAreBoundAsTheTableSays) {
    const std::pair<Qt::Key, UINT> arrows[] = {{Qt::Key_Down, ID_NAVIGATE_FIRST},
                                               {Qt::Key_Up, ID_NAVIGATE_LAST},
                                               {Qt::Key_Left, ID_NAVIGATE_UP},
                                               {Qt::Key_Right, ID_NAVIGATE_DOWN}};
    for (const auto& [key, id] : arrows) {
        m_view->m_received.clear();
        QTest::keyClick(m_view, key);
        EXPECT_EQ(m_view->m_received, std::vector<UINT>{id});
    }
    // The menu names the keys as they are bound.
    EXPECT_EQ(Shown(ID_NAVIGATE_FIRST), "&First\tArrow-Down");
    EXPECT_EQ(Shown(ID_NAVIGATE_LAST), "&Last\tArrow-Up");
}

// A screen reader reads an item's name, then its shortcut apart: the name
// never carries the keys.
TEST_F(FrameTest, AccessibleNamesAreTheTextsAloneAndTheKeysTheirShortcuts) {
    const auto check = [](QAccessibleInterface* item, const QAction* action, bool keys) {
        ASSERT_NE(item, nullptr);
        const QString name = item->text(QAccessible::Name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.contains('\t'));
        if (keys && !action->shortcut().isEmpty()) {
            EXPECT_EQ(item->text(QAccessible::Accelerator), action->shortcut().toString());
        }
    };
    for (QMenu* menu : m_frame->menuBar()->findChildren<QMenu*>()) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(menu);
        ASSERT_NE(list, nullptr);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(list->childCount(), actions.size());
        for (int k = 0; k < actions.size(); ++k)
            if (!actions[k]->isSeparator() && actions[k]->isVisible())
                check(list->child(k), actions[k], true);
    }
    for (QAction* action : ToolBar()->actions())
        if (!action->isSeparator())
            check(QAccessible::queryAccessibleInterface(ToolBar()->widgetForAction(action)), action,
                  false);
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(ToolBar()->widgetForAction(Action(ID_FILE_OPEN)))
            ->text(QAccessible::Name),
        "Open");
}

TEST_F(FrameTest, ToolbarHoldsElevenItemsWithImages) {
    const QList<QAction*> items = ToolBar()->actions();
    ASSERT_EQ(items.size(), static_cast<int>(kQuibResources.toolbar.size()));
    ASSERT_EQ(items.size(), 11);
    for (int i = 0; i < items.size(); ++i) {
        const UINT id = kQuibResources.toolbar[i];
        if (id == ID_SEPARATOR) {
            EXPECT_TRUE(items[i]->isSeparator()) << "item " << i + 1;
            continue;
        }
        EXPECT_EQ(items[i], Action(id)) << "item " << i + 1;
        const QImage image = items[i]->icon().pixmap(QSize(16, 15)).toImage();
        EXPECT_FALSE(image.isNull());
        // A picture, not a blank square.
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0 && qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(inked, 5) << "item " << i + 1;
    }
    // Child, visible, top, gripper, tooltips, fly-by prompts, dynamic size.
    EXPECT_EQ(ToolBar()->GetBarStyle(), 0x50402834u);
    EXPECT_TRUE(ToolBar()->isMovable());
    EXPECT_TRUE(ToolBar()->isFloatable());
    EXPECT_EQ(ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(m_frame->toolBarArea(ToolBar()), Qt::TopToolBarArea);
}

TEST_F(FrameTest, ButtonShowsItsPromptAndTooltip) {
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        GTEST_SKIP() << "Wayland lets no client move the pointer: no hover can be made";
    QWidget* first = ToolBar()->widgetForAction(Action(ID_NAVIGATE_FIRST));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(StatusBar()->GetMessageText(), "Ready");
    QTest::mouseMove(first);
    const auto message = [this] { return StatusBar()->GetMessageText(); };
    EXPECT_TRUE(TextBecomes(message, QStringLiteral("Move to first record")));
    EXPECT_EQ(first->toolTip(), "First");
    QTest::mouseMove(m_view, m_view->rect().center());
    EXPECT_TRUE(TextBecomes(message, QStringLiteral("Ready")));
}

TEST_F(FrameTest, HighlightedMenuItemShowsItsPrompt) {
    QMenu* file = m_frame->menuBar()->actions().first()->menu();
    file->popup(m_frame->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    file->setActiveAction(Action(ID_FILE_OPEN));
    const auto message = [this] { return StatusBar()->GetMessageText(); };
    EXPECT_TRUE(TextBecomes(message, QStringLiteral("Open an existing document")));
    file->close();
    EXPECT_TRUE(TextBecomes(message, QStringLiteral("Ready")));
}

// Left to right as they stand on the screen: the stretching message pane,
// then CAP, NUM and SCRL.
TEST_F(FrameTest, StatusBarHasTheMessagePaneThenTheLockPanes) {
    QList<QLabel*> panes = StatusBar()->findChildren<QLabel*>();
    std::sort(panes.begin(), panes.end(),
              [](const QLabel* a, const QLabel* b) { return a->x() < b->x(); });
    QStringList names;
    for (const QLabel* pane : panes)
        names << (pane->text() == "Ready" ? QStringLiteral("message") : pane->objectName());
    EXPECT_EQ(names.join(' ').toStdString(), "message CAP NUM SCRL");
    EXPECT_GT(panes.value(0)->width(), StatusBar()->width() / 2);
    // No keyboard state offscreen: every lock reads as off.
    for (const char* name : {"CAP", "NUM", "SCRL"})
        EXPECT_EQ(StatusBar()->findChild<QLabel*>(name)->text(), QString());
}

TEST_F(FrameTest, ViewMenuTogglesTheBarsAndTheirCheckMarks) {
    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        QWidget* bar = m_frame->GetControlBar(id);
        ASSERT_NE(bar, nullptr);
        QAction* toggle = Action(id);
        EXPECT_TRUE(toggle->isChecked());
        toggle->trigger();
        EXPECT_TRUE(bar->isHidden());
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(bar->isHidden());
        EXPECT_TRUE(toggle->isChecked());
    }
}

// Not on every pass of the event loop: after a command, when a menu is about
// to show, when the document changes.
TEST_F(FrameTest, CommandStatesAreUpdatedWhenTheyCanChange) {
    const int atRest = m_view->m_gotoUpdates;
    // An event loop that waits, as the program's does between inputs.
    QEventLoop idle;
    QTimer::singleShot(200, &idle, &QEventLoop::quit);
    idle.exec();
    EXPECT_EQ(m_view->m_gotoUpdates, atRest);
    m_frame->SendCommand(ID_NAVIGATE_UP);
    EXPECT_EQ(m_view->m_gotoUpdates, atRest + 1);
    QMenu* navigate = m_frame->menuBar()->actions().value(1)->menu();
    ASSERT_NE(navigate, nullptr);
    ASSERT_TRUE(navigate->actions().contains(Action(ID_NAVIGATE_GOTO)));
    emit navigate->aboutToShow();
    EXPECT_EQ(m_view->m_gotoUpdates, atRest + 2);
    m_view->GetDocument()->UpdateAllViews(nullptr);
    EXPECT_EQ(m_view->m_gotoUpdates, atRest + 3);
}

TEST_F(FrameTest, CommandsNoTargetHandlesAreDisabledAndDoNothing) {
    // Nothing here handles the Options menu: its items are greyed, and
    // triggering one anyway reaches nobody.
    QAction* font = Action(ID_OPTIONS_FONT);
    EXPECT_FALSE(font->isEnabled());
    m_frame->SendCommand(ID_OPTIONS_FONT);
    EXPECT_TRUE(m_view->m_received.empty());
    // File Import has its handler, but the empty document disables it.
    EXPECT_FALSE(Action(ID_FILE_IMPORT)->isEnabled());
    EXPECT_TRUE(Action(ID_VIEW_TOOLBAR)->isEnabled());
}

TEST_F(FrameTest, ViewPaintsWhiteThroughPrepareThenDraw) {
    // A dark desktop theme does not reach the view's background.
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::Base, Qt::black);
    QApplication::setPalette(dark);
    m_view->m_paintSteps.clear();
    const QImage image = m_view->grab().toImage();
    QApplication::setPalette(original);
    EXPECT_EQ(m_view->m_paintSteps, (std::vector<std::string>{"prepare", "draw"}));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(image.width() - 5, image.height() - 5), QColor(Qt::white));
}

TEST_F(FrameTest, CaptionIsTitleThenApplication) {
    EXPECT_EQ(m_frame->windowTitle(), "Untitled - Quib");
}

} // namespace

namespace {

class UncreatableFrame : public CMainFrame {
  protected:
    int OnCreate(CREATESTRUCT*) override { return -1; }
};

// Why nothing was shown comes back as its own error, not as a read's.
TEST(DocTemplate, AFrameThatCannotBeMadeIsToldAsSuch) {
    CSingleDocTemplate failing{IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc),
                               RUNTIME_CLASS(UncreatableFrame), RUNTIME_CLASS(RecordingView)};
    std::error_code error;
    EXPECT_EQ(failing.OpenDocumentFile(QString(), error), nullptr);
    EXPECT_EQ(error, ShellError::WindowNotCreated);
    EXPECT_EQ(error.message(), "the window cannot be created");
    EXPECT_EQ(failing.GetFrame(), nullptr);

    CSingleDocTemplate working{IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc), RUNTIME_CLASS(CMainFrame),
                               RUNTIME_CLASS(RecordingView)};
    EXPECT_EQ(working.OpenDocumentFile(QStringLiteral("/nonexistent/quib.dat"), error), nullptr);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

} // namespace
