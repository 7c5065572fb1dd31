// File New, Open and Import as the user gives them, through the menu's
// commands, the keys and the file dialog, and the states they lead to.

#include "AppFixture.h"
#include "ModalDriver.h"

#include <QFileDialog>
#include <QLabel>
#include <QTest>

namespace {

std::vector<int> RecordNumbers(const CLatticeRecordArray& records) {
    std::vector<int> numbers;
    for (int i = 0; i < records.GetSize(); ++i)
        numbers.push_back(records[i].m_nRecordNumber);
    return numbers;
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
    EXPECT_EQ(Document()->m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->m_nImportedDim, -1);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(DocumentStatesTest, StartWithFileShowsItLoaded) {
    Start(Example("run-a.dat"));
    CLatticeDocument reference;
    ASSERT_EQ(reference.OpenDataFile(QUIB_EXAMPLES "/run-a.dat"), 1);
    EXPECT_EQ(Document()->m_nPrimaryDim, reference.m_nPrimaryDim);
    EXPECT_EQ(RecordNumbers(Document()->m_primaryRecords),
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
    EXPECT_EQ(Document()->m_nPrimaryDim, 26);
    EXPECT_EQ(Document()->m_nImportedDim, -1);
    EXPECT_EQ(Document()->m_importedRecords.GetSize(), 0);
    EXPECT_EQ(Frame()->windowTitle(), "run-a.dat - Quib");

    // Loaded -> Loaded with import, aligned as the data logic aligns it.
    CLatticeDocument reference;
    reference.OpenDataFile(QUIB_EXAMPLES "/run-a.dat");
    reference.ImportDataFile(QUIB_EXAMPLES "/run-b.dat");
    {
        ModalDriver import = ChooseFile(Example("run-b.dat"));
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(import.Ran());
    }
    EXPECT_EQ(Document()->m_nImportedDim, reference.m_nImportedDim);
    EXPECT_EQ(RecordNumbers(Document()->m_importedRecords),
              RecordNumbers(reference.m_importedRecords));
    EXPECT_EQ(RecordNumbers(Document()->m_primaryRecords),
              RecordNumbers(reference.m_primaryRecords));

    // A cancelled import changes nothing.
    const std::vector<int> imported = RecordNumbers(Document()->m_importedRecords);
    {
        ModalDriver cancel(CancelDialog);
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(cancel.Ran());
    }
    EXPECT_EQ(RecordNumbers(Document()->m_importedRecords), imported);

    // A second import appends, then aligns again.
    reference.ImportDataFile(QUIB_EXAMPLES "/run-a-repeat.dat");
    {
        ModalDriver import = ChooseFile(Example("run-a-repeat.dat"));
        Frame()->SendCommand(ID_FILE_IMPORT);
        ASSERT_TRUE(import.Ran());
    }
    EXPECT_EQ(RecordNumbers(Document()->m_importedRecords),
              RecordNumbers(reference.m_importedRecords));

    // Loaded with import -> Empty, by Ctrl+N.
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Document()->m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->m_nImportedDim, -1);
    EXPECT_EQ(Document()->m_importedRecords.GetSize(), 0);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(DocumentStatesTest, OpenAfterImportDropsTheImport) {
    Start(Example("run-a.dat"));
    ASSERT_EQ(Document()->ImportDataFile(QUIB_EXAMPLES "/run-b.dat"), 1);
    ASSERT_NE(theApp.OpenDocumentFile(Example("run-b.dat")), nullptr);
    EXPECT_EQ(Document()->m_nImportedDim, -1);
    EXPECT_EQ(Document()->m_importedRecords.GetSize(), 0);
}

TEST_F(DocumentStatesTest, FailedOpenLeavesTheDocumentEmptyAndSaysWhy) {
    Start(Example("run-a.dat"));
    ASSERT_EQ(Document()->ImportDataFile(QUIB_EXAMPLES "/run-b.dat"), 1);
    const QString missing = QString::fromStdString(m_dir.Path() + "/missing.dat");
    EXPECT_EQ(theApp.OpenDocumentFile(missing), nullptr);
    EXPECT_EQ(Document()->m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->m_nImportedDim, -1);
    EXPECT_EQ(Document()->m_importedRecords.GetSize(), 0);
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

TEST_F(DocumentStatesTest, WrongDimensionWarnsInABoxCaptionedByTheApplication) {
    AfxSetMessageBoxHook({});
    Start();
    const QString path = WriteDataFile("dim30.dat", 30, 2);
    QString caption, text;
    ModalDriver read([&](QWidget* w) {
        caption = w->windowTitle();
        if (auto* box = w->findChild<QLabel*>("qt_msgbox_label"))
            text = box->text();
        CancelDialog(w);
    });
    ASSERT_NE(theApp.OpenDocumentFile(path), nullptr);
    ASSERT_TRUE(read.Ran());
    EXPECT_EQ(caption, "Quib");
    EXPECT_EQ(text, "This file has the wrong dimension. Should be 26 or 32");
}

} // namespace
