// The picture out of the window: the view's context menu, the clipboard,
// Export Picture, and files dropped on the window.

#include "AppFixture.h"
#include "ModalDriver.h"
#include "MyQuibView.h"
#include "Process.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include <filesystem>
#include <sstream>

namespace {

class PictureOutTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        AfxSetMessageBoxHook([this](const QString& text, UINT type) {
            m_messages << text;
            return type & MB_YESNO ? m_answer : IDOK;
        });
    }

    CMyQuibView* View() const { return dynamic_cast<CMyQuibView*>(Frame()->GetActiveView()); }
    QAction* ViewAction(const char* name) const { return View()->findChild<QAction*>(name); }
    QString Example(const char* name) const { return QStringLiteral(QUIB_EXAMPLES "/") + name; }
    std::string Out(const std::string& name) const { return m_dir.Path() + "/" + name; }

    // What `quib --export` writes for the same state.
    std::string Exported(const std::string& name, std::vector<std::string> args) const {
        std::vector<std::string> command = {"--export", Out(name)};
        command.insert(command.end(), args.begin(), args.end());
        EXPECT_EQ(RunProcess(QUIB_EXECUTABLE, command).status, 0);
        return ReadWholeFile(Out(name));
    }

    // Runs Export Picture, choosing `name` in the save dialog.
    QString ExportAs(const QString& name) {
        QString offered;
        ModalDriver save([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            offered = dialog->selectedFiles().value(0);
            dialog->selectFile(name);
            static_cast<QDialog*>(dialog)->accept();
        });
        ViewAction("exportPicture")->trigger();
        return offered;
    }

    void Drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &drop);
        WaitForReads();
    }

    int m_answer = IDYES;
};

QImage Pixels(const QByteArray& png) {
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

// By the right button and by the keyboard's Menu key and Shift+F10.
TEST_F(PictureOutTest, ContextMenuOffersCopyAndExport) {
    Start(Example("run-a.dat"));
    const auto openMenu = [this](const std::function<void()>& ask) {
        QStringList items;
        ModalDriver read(
            [&](QWidget*) {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                for (const QAction* action : menu->actions())
                    items << (action->isSeparator() ? QStringLiteral("-") : action->text());
                menu->close();
            },
            ModalDriver::Expect::Dialog);
        ask();
        return items.join('|').toStdString();
    };
    const std::string expected =
        "Copy Picture|Copy Summary|Export Picture...|-|Highlight Differences|Values|-|Find "
        "Records...|Next Difference|Previous Difference|-|Reload|Follow File|Check "
        "File...|-|Show Statistics|Show Overview";
    EXPECT_EQ(openMenu([this] {
                  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(40, 40),
                                          View()->mapToGlobal(QPoint(40, 40)));
                  QApplication::sendEvent(View(), &event);
              }),
              expected);
    EXPECT_EQ(openMenu([this] { QTest::keyClick(View(), Qt::Key_Menu); }), expected);
    EXPECT_EQ(openMenu([this] { QTest::keyClick(View(), Qt::Key_F10, Qt::ShiftModifier); }),
              expected);
}

TEST_F(PictureOutTest, CopyPicturePutsPngSvgAndTextOnTheClipboard) {
    Start(Example("run-a.dat"));
    Import(Example("run-a-repeat.dat"));
    Press(Qt::Key_Right);
    ViewAction("copyPicture")->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    const std::vector<std::string> same = {"--record", "2", "--import",
                                           Example("run-a-repeat.dat").toStdString(),
                                           Example("run-a.dat").toStdString()};
    const QImage png = Pixels(copied->data("image/png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png, Pixels(QByteArray::fromStdString(Exported("same.png", same))));
    EXPECT_EQ(copied->data("image/svg+xml").toStdString(), Exported("same.svg", same));
    // The record's two lines, as --summary prints them.
    const ProcessResult summary =
        RunProcess(QUIB_EXECUTABLE, {"--summary", "--import", same[3], same[4]});
    const std::size_t second = summary.out.find("Record nr 2 ");
    EXPECT_EQ(copied->text().toStdString(),
              summary.out.substr(second, summary.out.find("Record nr 3 ") - second));
    // Ctrl+C and Ctrl+Insert copy the same.
    for (const QKeyCombination key :
         {Qt::ControlModifier | Qt::Key_C, Qt::ControlModifier | Qt::Key_Insert}) {
        QGuiApplication::clipboard()->clear();
        Press(key.key(), key.keyboardModifiers());
        EXPECT_EQ(Pixels(QGuiApplication::clipboard()->mimeData()->data("image/png")), png);
    }
}

// What --summary prints for the record with the options shown, its minimal
// and differing nodes with the highlights on.
TEST_F(PictureOutTest, CopySummaryCopiesWhatSummaryPrints) {
    const std::string data = Example("run-a.dat").toStdString();
    const std::string repeat = Example("run-a-repeat.dat").toStdString();
    Start(Example("run-a.dat"));
    ViewAction("copySummary")->trigger();
    // The lines --summary prints for the record of that number.
    const auto record = [](const std::string& out, const std::string& number) {
        std::istringstream lines(out);
        std::string text, owner;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("Record nr ", 0) == 0)
                owner = line.substr(10, line.find(' ', 10) - 10);
            if (owner == number)
                text += line + "\n";
        }
        return text;
    };
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              record(RunProcess(QUIB_EXECUTABLE, {"--summary", data}).out, "1"));
    Import(Example("run-a-repeat.dat"));
    Frame()->SendCommand(ID_OPTIONS_HIGHLIGHT);
    ViewAction("highlightDifferences")->trigger();
    Frame()->SendCommand(ID_NAVIGATE_LAST);
    ViewAction("copySummary")->trigger();
    const ProcessResult summary = RunProcess(
        QUIB_EXECUTABLE, {"--summary", "--highlight", "--differences", "--import", repeat, data});
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), record(summary.out, "320"));
}

// Offered beside the data file, named after it and the record, and written
// as the command line writes it.
TEST_F(PictureOutTest, ExportPictureWritesWhatTheCommandLineWrites) {
    const std::string data = Out("run.dat");
    std::filesystem::copy_file(QUIB_EXAMPLES "/run-b.dat", data);
    Start(QString::fromStdString(data));
    Press(Qt::Key_Right);
    Frame()->SendCommand(ID_OPTIONS_HIGHLIGHT);
    const QString offered = ExportAs(QString::fromStdString(Out("window.svg")));
    EXPECT_EQ(offered.toStdString(), Out("run-102.png"));
    EXPECT_EQ(ReadWholeFile(Out("window.svg")),
              Exported("command.svg", {"--record", "2", "--highlight", data}));
    // A name without a picture's extension takes the chosen filter's.
    ExportAs(QString::fromStdString(Out("window")));
    Exported("command.png", {"--record", "2", "--highlight", data});
    const QImage drawn(QString::fromStdString(Out("window.png")));
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn, QImage(QString::fromStdString(Out("command.png"))));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

// Data files may have any name, a picture's too.
TEST_F(PictureOutTest, ExportNeverWritesOverADataFileAndAsksBeforeReplacing) {
    const std::string data = Out("run.svg"), imported = Out("other.png");
    std::filesystem::copy_file(QUIB_EXAMPLES "/run-a.dat", data);
    std::filesystem::copy_file(QUIB_EXAMPLES "/run-a-repeat.dat", imported);
    Start(QString::fromStdString(data));
    Import(QString::fromStdString(imported));
    for (const std::string& path : {data, imported}) {
        m_messages.clear();
        const std::string before = ReadWholeFile(path);
        ExportAs(QString::fromStdString(path));
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0].toStdString(),
                  "Cannot write '" + path + "': it is an open data file.");
        EXPECT_EQ(ReadWholeFile(path), before);
    }
    // A data file's own name, under the PNG filter, becomes a new name.
    m_messages.clear();
    const std::string dat = m_dir.Write("plain.dat", ReadWholeFile(data));
    ExportAs(QString::fromStdString(dat));
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(ReadWholeFile(dat), ReadWholeFile(data));
    EXPECT_TRUE(std::filesystem::exists(dat + ".png"));

    const std::string picture = m_dir.Write("kept.png", "an earlier picture");
    m_messages.clear();
    m_answer = IDNO;
    ExportAs(QString::fromStdString(picture));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].toStdString(), "'" + picture + "' already exists. Replace it?");
    EXPECT_EQ(ReadWholeFile(picture), "an earlier picture");
    m_answer = IDYES;
    ExportAs(QString::fromStdString(picture));
    EXPECT_EQ(ReadWholeFile(picture).substr(1, 3), "PNG");
}

TEST_F(PictureOutTest, AFailedExportIsToldAndLeavesNothing) {
    Start(Example("run-a.dat"));
    const std::string full = Out("full.png");
    std::filesystem::create_symlink("/dev/full", full);
    ExportAs(QString::fromStdString(full));
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_EQ(m_messages[0].toStdString(), "'" + full + "' already exists. Replace it?");
    EXPECT_EQ(m_messages[1].toStdString(), "Cannot write '" + full + "': No space left on device.");
    m_messages.clear();
    ExportAs(QStringLiteral("/proc/self/quib.png"));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].left(36).toStdString(), "Cannot write '/proc/self/quib.png': ");
    EXPECT_FALSE(std::filesystem::exists("/proc/self/quib.png"));
}

TEST_F(PictureOutTest, DroppedFilesOpenAndImport) {
    Start();
    Drop({Example("run-a.dat")});
    EXPECT_EQ(Frame()->windowTitle(), "run-a.dat - Quib");
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    // Several: the first opened, the others imported beside it in order.
    Drop({Example("run-b.dat"), Example("run-a.dat"), Example("run-a-repeat.dat")});
    EXPECT_EQ(Frame()->windowTitle(), "run-b.dat - Quib");
    EXPECT_EQ(Document()->ImportedPaths(),
              QStringList({Example("run-a.dat"), Example("run-a-repeat.dat")}));
    EXPECT_EQ(Document()->Data().m_nImportedDim, 26);
    EXPECT_NE(Document()->Data().ImportedPartner(0), quib::kNoPartner);
    EXPECT_TRUE(m_messages.isEmpty());
    // A folder or a missing file fails as File Open fails.
    for (const QString& bad :
         {QString::fromStdString(m_dir.Path()), QString::fromStdString(Out("missing.dat"))}) {
        m_messages.clear();
        Drop({bad, Example("run-a.dat")});
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_TRUE(m_messages[0].startsWith("Cannot open '" + bad + "': "))
            << m_messages[0].toStdString();
        EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
        EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    }
    // Anything but local files is not taken.
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/run.dat"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Frame(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// At rest the view's top-left corner is the picture's (0, 25), as without
// scroll bars; the arrow keys step through the records, never scroll.
TEST_F(PictureOutTest, ScrollBarsGiveRoomAndTheArrowsStillStep) {
    Start(Example("run-a.dat"));
    Import(Example("run-a-repeat.dat"));
    Frame()->resize(500, 400);
    QTest::qWait(50);
    auto* scroller = qobject_cast<QScrollArea*>(Frame()->centralWidget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
    // Both diagrams side by side at scale 4 need over 12 inches.
    EXPECT_GT(View()->minimumWidth(), 12 * View()->logicalDpiX());
    EXPECT_EQ(View()->pos(), QPoint(0, 0));
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    Press(Qt::Key_Right);
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_EQ(scroller->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(scroller->verticalScrollBar()->value(), 0);
    // A smaller scale needs less room.
    const int wide = View()->minimumWidth();
    Frame()->SendCommand(ID_OPTIONS_SCALE_SMALLER);
    EXPECT_LT(View()->minimumWidth(), wide);
}

// Offered while an import is shown; it fills the differing nodes, and the
// exported picture shows them as --export --differences draws them.
TEST_F(PictureOutTest, HighlightDifferencesWhileAnImportIsShown) {
    Start(Example("run-a.dat"));
    QAction* differences = ViewAction("highlightDifferences");
    const auto offered = [&] {
        ModalDriver look([](QWidget* menu) { menu->close(); });
        QTest::keyClick(View(), Qt::Key_Menu);
        return differences->isEnabled();
    };
    EXPECT_FALSE(offered());
    Import(Example("run-a-repeat.dat"));
    EXPECT_TRUE(offered());
    EXPECT_FALSE(differences->isChecked());
    differences->trigger();
    EXPECT_TRUE(View()->Options().differences);
    ExportAs(QString::fromStdString(Out("window.svg")));
    EXPECT_EQ(ReadWholeFile(Out("window.svg")),
              Exported("command.svg",
                       {"--differences", "--import", Example("run-a-repeat.dat").toStdString(),
                        Example("run-a.dat").toStdString()}));
    differences->trigger();
    EXPECT_FALSE(View()->Options().differences);
}

// Resting the mouse on a node shows its subset and its value in both
// diagrams; elsewhere nothing.
TEST_F(PictureOutTest, NodeTooltipsTellSubsetAndValues) {
    Start(Example("run-a.dat"));
    Import(Example("run-a-repeat.dat"));
    // Node 17 (ABD) at scale 4: grid x -8, level 3, so (128, -200) in 1/100
    // inch, (128, 225) below the top-left corner.
    const auto tip = [this](double x, double y) {
        const QPoint at(int(x * View()->logicalDpiX() / 100), int(y * View()->logicalDpiY() / 100));
        QHelpEvent help(QEvent::ToolTip, at, View()->mapToGlobal(at));
        QApplication::sendEvent(View(), &help);
        // A tip that goes, goes after a moment.
        const bool gone = QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 600);
        return gone ? std::string() : QToolTip::text().toStdString();
    };
    EXPECT_EQ(tip(128, 225), "{A, B, D}\nprimary: 4\nimported: 4");
    EXPECT_EQ(tip(128 + 640, 225), "{A, B, D}\nprimary: 4\nimported: 4");
    // The empty set, at (352, -440): both files have dimension 26.
    EXPECT_EQ(tip(352, 465), "{}\nprimary: not in the file\nimported: not in the file");
    // Between the circles of ABC and ABD.
    EXPECT_EQ(tip(96, 225), "");
}

// The status bar tells where the view stands, and with an import how many
// imported records have no partner.
TEST_F(PictureOutTest, ThePositionPaneFollowsTheView) {
    Start(Example("run-a.dat"));
    const auto pane = [this] {
        return Frame()->findChild<QLabel*>("positionPane")->text().toStdString();
    };
    EXPECT_EQ(pane(), "Record 1 of 320");
    Press(Qt::Key_Up);
    EXPECT_EQ(pane(), "Record 320 of 320");
    Import(Example("run-b.dat"));
    EXPECT_EQ(pane(), "Record 320 of 320 \u00b7 40 imported records without partner");
    Frame()->SendCommand(ID_FILE_NEW);
    EXPECT_EQ(pane(), "No records");
}

// The second run usually sits beside the first.
TEST_F(PictureOutTest, FileDialogsStartInTheFolderOfTheOpenFile) {
    const std::string data = m_dir.Write("here.dat", "(1) 1\n");
    Start(QString::fromStdString(data));
    for (const UINT id : {ID_FILE_IMPORT, ID_FILE_OPEN}) {
        QString folder;
        ModalDriver look([&](QWidget* w) {
            folder = qobject_cast<QFileDialog*>(w)->directory().absolutePath();
            CancelDialog(w);
        });
        Frame()->SendCommand(id);
        EXPECT_EQ(folder.toStdString(), m_dir.Path()) << id;
    }
}

} // namespace
