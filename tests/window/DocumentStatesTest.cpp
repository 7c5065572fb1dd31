// File New, Open and Import as the user gives them, through the menu's
// commands, the keys and the file dialog, and the states they lead to.

#include "AppFixture.h"
#include "Compress.h"
#include "ModalDriver.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

std::vector<int> RecordNumbers(const CLatticeRecordArray& records) {
    std::vector<int> numbers;
    for (int i = 0; i < records.GetSize(); ++i)
        numbers.push_back(records[i].m_nRecordNumber);
    return numbers;
}

// Each primary record's partner as an index into the imported records in the
// order they were read, -1 for none; a partner must carry the same number.
std::vector<int> Partners(const CMyQuibDoc& document) {
    const LatticeDocument& doc = document.Data();
    std::vector<int> partners;
    for (int i = 0; i < doc.m_primaryRecords.GetSize(); ++i) {
        const int partner = doc.ImportedPartner(i);
        if (partner != quib::kNoPartner && doc.m_importedRecords[partner].m_nRecordNumber !=
                                               doc.m_primaryRecords[i].m_nRecordNumber)
            ADD_FAILURE() << "record " << i << " is paired with another number";
        partners.push_back(partner);
    }
    return partners;
}

ModalDriver ChooseFile(const QString& path) {
    return ModalDriver([path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

class DocumentStatesTest : public AppFixture {
  protected:
    QString Example(const char* name) const { return QStringLiteral(QUIB_EXAMPLES "/") + name; }
};

TEST_F(DocumentStatesTest, StartWithoutFileIsEmptyAndUntitled) {
    Start();
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(DocumentStatesTest, StartWithFileShowsItLoaded) {
    Start(Example("run-a.dat"));
    LatticeDocument reference;
    ASSERT_FALSE(reference.OpenDataFile(QUIB_EXAMPLES "/run-a.dat"));
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, reference.m_nPrimaryDim);
    EXPECT_EQ(RecordNumbers(Document()->Data().m_primaryRecords),
              RecordNumbers(reference.m_primaryRecords));
    EXPECT_EQ(Frame()->windowTitle(), "run-a.dat - Quib");
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(DocumentStatesTest, OpenImportAndNewMoveBetweenTheStates) {
    Start();
    // Empty -> Loaded, by Ctrl+O and the file dialog.
    {
        ModalDriver open = ChooseFile(Example("run-a.dat"));
        Press(Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(open.Ran());
    }
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, 26);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 0);
    EXPECT_EQ(Frame()->windowTitle(), "run-a.dat - Quib");

    // Loaded -> Loaded with import. run-a holds records 1 to 320, run-b
    // 101 to 360 in order: records 1 to 100 have no partner.
    const std::vector<int> primaryNumbers = RecordNumbers(Document()->Data().m_primaryRecords);
    {
        ModalDriver import = ChooseFile(Example("run-b.dat"));
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(import.Ran());
        WaitForReads();
    }
    EXPECT_EQ(Document()->Data().m_nImportedDim, 32);
    std::vector<int> expected(320, -1);
    for (int i = 100; i < 320; ++i)
        expected[i] = i - 100;
    EXPECT_EQ(Partners(*Document()), expected);
    EXPECT_EQ(RecordNumbers(Document()->Data().m_primaryRecords), primaryNumbers);

    // A cancelled import changes nothing.
    const std::vector<int> imported = RecordNumbers(Document()->Data().m_importedRecords);
    {
        ModalDriver cancel(CancelDialog);
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(cancel.Ran());
    }
    EXPECT_EQ(RecordNumbers(Document()->Data().m_importedRecords), imported);
    EXPECT_EQ(Partners(*Document()), expected);

    // A second import appends, then pairs again: run-a-repeat lacks every
    // 17th number and gives partners to the records run-b lacked; run-b's
    // records, read first, keep theirs.
    {
        ModalDriver import = ChooseFile(Example("run-a-repeat.dat"));
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(import.Ran());
        WaitForReads();
    }
    ASSERT_EQ(Document()->Data().m_importedRecords.GetSize(), 260 + 302);
    const std::vector<int> partners = Partners(*Document());
    for (int i = 0; i < 320; ++i) {
        if (i < 100)
            EXPECT_EQ(partners[i] >= 260, (i + 1) % 17 != 0) << i;
        else
            EXPECT_EQ(partners[i], expected[i]) << i;
    }

    // Loaded with import -> Empty, by Ctrl+N.
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 0);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(DocumentStatesTest, OpenAfterImportDropsTheImport) {
    Start(Example("run-a.dat"));
    Import(Example("run-b.dat"));
    ASSERT_NE(theApp.OpenDocumentFile(Example("run-b.dat")), nullptr);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 0);
}

TEST_F(DocumentStatesTest, FailedOpenLeavesTheDocumentEmptyAndSaysWhy) {
    Start(Example("run-a.dat"));
    Import(Example("run-b.dat"));
    const QString missing = QString::fromStdString(m_dir.Path() + "/missing.dat");
    EXPECT_EQ(theApp.OpenDocumentFile(missing), nullptr);
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 0);
    // Never the previous file's name.
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    EXPECT_EQ(Document()->GetPathName(), QString());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(missing));
    EXPECT_TRUE(m_messages[0].contains("No such file or directory"));
    // A folder cannot be opened either.
    m_messages.clear();
    EXPECT_EQ(theApp.OpenDocumentFile(QString::fromStdString(m_dir.Path())), nullptr);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains("Is a directory"));
}

// An import that cannot be read, by the menu, a drop or the command line, is
// told in a box that names it, and the imported dataset stays as it was.
TEST_F(DocumentStatesTest, AnImportThatCannotBeReadIsTold) {
    const std::string text = "DIM=26\n(1) 1\n(2) 2\n";
    const std::string gzip = CompressText(text, quib::Compression::Gzip);
    const QString corrupt = QString::fromStdString(
        m_dir.Write("corrupt.dat.gz", gzip.substr(0, 10) + std::string(20, 'x')));
    const QString cut =
        QString::fromStdString(m_dir.Write("cut.dat.gz", gzip.substr(0, gzip.size() - 6)));
    const QString missing = QString::fromStdString(m_dir.Path() + "/missing.dat");
    theApp.SetCommandLineImports({missing});
    Start(Example("run-a.dat"));
    theApp.SetCommandLineImports({});
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], "Cannot open '" + missing + "': No such file or directory.");
    Import(Example("run-a-repeat.dat"));
    const std::vector<int> imported = RecordNumbers(Document()->Data().m_importedRecords);
    const std::vector<int> partners = Partners(*Document());
    for (const QString& bad : {missing, corrupt, cut}) {
        m_messages.clear();
        Import(bad);
        ASSERT_EQ(m_messages.size(), 1) << bad.toStdString();
        EXPECT_TRUE(m_messages[0].startsWith("Cannot open '" + bad + "': "))
            << m_messages[0].toStdString();
        EXPECT_EQ(RecordNumbers(Document()->Data().m_importedRecords), imported);
        EXPECT_EQ(Partners(*Document()), partners);
        EXPECT_EQ(Document()->ImportedPaths().size(), 1);
    }
}

TEST_F(DocumentStatesTest, WrongDimensionWarnsInABoxCaptionedByTheApplication) {
    AfxSetMessageBoxHook({});
    Start();
    const QString path = WriteDataFile("dim30.dat", 30, 2);
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QStringList buttons;
    ModalDriver read([&](QWidget* w) {
        caption = w->windowTitle();
        if (auto* label = w->findChild<QLabel*>("qt_msgbox_label"))
            text = label->text();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            icon = box->icon();
            for (const QAbstractButton* button : box->buttons())
                buttons << button->text();
        }
        CancelDialog(w);
    });
    ASSERT_NE(theApp.OpenDocumentFile(path), nullptr);
    ASSERT_TRUE(read.Ran());
    EXPECT_EQ(caption, "Quib");
    EXPECT_EQ(text, "This file has the wrong dimension. Should be 26 or 32");
    // A plain box: an OK button and no icon.
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QStringList{"OK"});
}

} // namespace
