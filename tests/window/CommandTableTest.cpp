// Every command of the tables: whether it is offered without data and with a
// file open; and how the framework finds a command's handler.

#include "AppFixture.h"
#include "DocTemplate.h"
#include "MainFrame.h"
#include "View.h"

#include <map>
#include <string>
#include <vector>

namespace {

struct Expectation {
    bool enabledEmpty;
    bool enabledLoaded;
};

// The view's own commands are always offered, with or without data.
const std::map<UINT, Expectation> kExpected = {
    {ID_FILE_NEW, {true, true}},
    {ID_FILE_OPEN, {true, true}},
    {ID_FILE_IMPORT, {false, true}},
    {ID_FILE_SAVE, {false, false}},
    {ID_FILE_PRINT, {true, true}},
    {ID_FILE_PRINT_DIRECT, {true, true}},
    {ID_FILE_PRINT_PREVIEW, {true, true}},
    {ID_FILE_PRINT_SETUP, {true, true}},
    {ID_FILE_MRU_FILE1, {false, true}},
    {ID_FILE_MRU_FILE2, {false, false}},
    {ID_FILE_MRU_FILE3, {false, false}},
    {ID_FILE_MRU_FILE4, {false, false}},
    {ID_APP_EXIT, {true, true}},
    {ID_NAVIGATE_UP, {true, true}},
    {ID_NAVIGATE_DOWN, {true, true}},
    {ID_NAVIGATE_FIRST, {true, true}},
    {ID_NAVIGATE_LAST, {true, true}},
    {ID_NAVIGATE_GOTO, {true, true}},
    {ID_OPTIONS_HIGHLIGHT, {true, true}},
    {ID_OPTIONS_SCALE_LARGER, {true, true}},
    {ID_OPTIONS_SCALE_SMALLER, {true, true}},
    {ID_OPTIONS_FONT, {true, true}},
    {ID_VIEW_TOOLBAR, {true, true}},
    {ID_VIEW_STATUS_BAR, {true, true}},
    {ID_APP_ABOUT, {true, true}},
    {ID_EDIT_COPY, {false, true}},
    {ID_EDIT_CUT, {false, false}},
    {ID_EDIT_PASTE, {false, false}},
    {ID_EDIT_UNDO, {false, false}},
    {ID_NEXT_PANE, {false, false}},
    {ID_PREV_PANE, {false, false}},
};

using CommandTableTest = AppFixture;

TEST_F(CommandTableTest, EveryCommandIsOfferedWhereItCanRun) {
    Start();
    ASSERT_EQ(kQuibResources.commandNames.size(), kExpected.size());
    for (const CommandName& command : kQuibResources.commandNames) {
        SCOPED_TRACE(command.name);
        const auto expected = kExpected.find(command.id);
        ASSERT_NE(expected, kExpected.end());
        EXPECT_EQ(Enabled(command.id), expected->second.enabledEmpty);
    }
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("loaded.dat", 26, 3)), nullptr);
    for (const CommandName& command : kQuibResources.commandNames) {
        SCOPED_TRACE(command.name);
        EXPECT_EQ(Enabled(command.id), kExpected.at(command.id).enabledLoaded);
    }
}

TEST_F(CommandTableTest, DisabledKeysDoNothing) {
    // Ctrl+S has no handler: the file it would save over stays as it was.
    const QString path = WriteDataFile("kept.dat", 26, 2);
    const std::string before = ReadWholeFile(path.toStdString());
    Start(path);
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    Frame()->SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadWholeFile(path.toStdString()), before);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CommandTableTest, FileImportIsOfferedExactlyWhileThePrimaryDimensionIsPositive) {
    Start();
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT));
    const std::pair<int, bool> cases[] = {{26, true}, {32, true},  {1, true},
                                          {0, false}, {-4, false}, {26, true}};
    int n = 0;
    for (const auto& [dim, offered] : cases) {
        SCOPED_TRACE(dim);
        const QString path = WriteDataFile("dim" + std::to_string(n++) + ".dat", dim, 2);
        ASSERT_NE(theApp.OpenDocumentFile(path), nullptr);
        EXPECT_EQ(Document()->Data().m_nPrimaryDim, dim);
        EXPECT_EQ(Enabled(ID_FILE_IMPORT), offered);
    }
    // A file with a dimension but no records still offers it.
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("none.dat", 26, 0)), nullptr);
    EXPECT_TRUE(Enabled(ID_FILE_IMPORT));
    // A failed open empties the document, and Import goes with the data.
    EXPECT_EQ(theApp.OpenDocumentFile(QString::fromStdString(m_dir.Path() + "/gone.dat")), nullptr);
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT));
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("again.dat", 26, 1)), nullptr);
    EXPECT_TRUE(Enabled(ID_FILE_IMPORT));
    Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT));
}

// Views whose maps overlap the application's and each other's: File New is
// the application's too, and the derived view maps Goto again.
std::vector<std::string> g_handled;

class BaseView : public CView {
  public:
    BaseView() {
        MapCommand(ID_FILE_NEW, [] { g_handled.push_back("view"); });
        MapCommand(ID_NAVIGATE_GOTO, [] { g_handled.push_back("base view"); });
        MapUpdateCommandUI(ID_NAVIGATE_GOTO, [](CCmdUI* ui) { ui->Enable(false); });
    }
    void OnDraw(CDC*) override {}
};

class DerivedView : public BaseView {
  public:
    DerivedView() {
        MapCommand(ID_NAVIGATE_GOTO, [] { g_handled.push_back("derived view"); });
        MapUpdateCommandUI(ID_NAVIGATE_GOTO, [](CCmdUI* ui) { ui->Enable(true); });
    }
};

// The view comes before the application, and a derived class's entry before
// its base's, for commands and their update handlers alike.
TEST_F(CommandTableTest, TheViewFirstAndADerivedClassBeforeItsBase) {
    CSingleDocTemplate overlapping{IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc),
                                   RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(DerivedView)};
    std::error_code error;
    ASSERT_NE(overlapping.OpenDocumentFile(QString(), error), nullptr) << error.message();
    ASSERT_NE(theApp.FindCommandHandler(ID_FILE_NEW), nullptr);
    CFrameWnd* frame = overlapping.GetFrame();
    g_handled.clear();
    frame->SendCommand(ID_FILE_NEW);
    frame->SendCommand(ID_NAVIGATE_GOTO);
    EXPECT_EQ(g_handled, (std::vector<std::string>{"view", "derived view"}));
    EXPECT_TRUE(frame->FindAction(ID_NAVIGATE_GOTO)->isEnabled());
}

} // namespace
