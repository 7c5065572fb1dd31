// Nothing the program offers writes a file: every command and every key of
// the tables, dialogs cancelled, leaves the data file, its folder and the
// working folder as they were, and the config folder with the settings file
// alone.

#include "AppFixture.h"
#include "ModalDriver.h"
#include "View.h"

#include <QTest>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Every file below `root`, by its path relative to root, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files[fs::relative(entry.path(), root).string()] =
            entry.is_regular_file() ? ReadWholeFile(entry.path().string()) : "<dir>";
    return files;
}

class NothingWrittenTest : public AppFixture {};

TEST_F(NothingWrittenTest, NoCommandOrKeyWritesAFile) {
    const std::string data = m_dir.Write("data.dat", ReadWholeFile(QUIB_EXAMPLES "/run-a.dat"));
    m_dir.Write("other.txt", "left alone\n");
    TempDir work;
    const fs::path previous = fs::current_path();
    fs::current_path(work.Path());
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    fs::remove_all(config);
    fs::create_directories(config);
    const auto dataBefore = Snapshot(m_dir.Path());

    Start(QString::fromStdString(data));
    int dialogs = 0;
    for (const CommandName& command : kQuibResources.commandNames) {
        if (command.id == ID_APP_EXIT)
            continue;
        SCOPED_TRACE(command.name);
        ModalDriver cancel(CancelDialog, ModalDriver::Expect::IfAny);
        Frame()->SendCommand(command.id);
        dialogs += cancel.Ran();
    }
    for (const Accelerator& accelerator : kQuibResources.accelerators) {
        SCOPED_TRACE(QKeySequence(accelerator.key).toString().toStdString());
        ModalDriver cancel(CancelDialog, ModalDriver::Expect::IfAny);
        Press(accelerator.key.key(), accelerator.key.keyboardModifiers());
        dialogs += cancel.Ran();
    }
    // Open, Print, Print Preview, Print Setup, Goto, Font and About, then
    // Ctrl+G, Ctrl+O and Ctrl+P; Import is greyed by then, New having
    // emptied the document.
    EXPECT_EQ(dialogs, 10);
    Frame()->SendCommand(ID_APP_EXIT);
    EXPECT_FALSE(Frame()->isVisible());

    EXPECT_EQ(Snapshot(m_dir.Path()), dataBefore);
    EXPECT_TRUE(Snapshot(work.Path()).empty());
    const auto settings = Snapshot(config);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : settings)
        names.push_back(name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Local AppWizard-Generated Applications",
                                        "Local AppWizard-Generated Applications/Quib.conf"}));
    fs::current_path(previous);
}

} // namespace
