// The recent-file list: four entries at most, newest first, kept in the
// settings across starts, each entry opening as File Open does.

#include "AppFixture.h"
#include "RecentFileList.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

namespace {

class RecentFilesTest : public AppFixture {
  protected:
    QStringList Listed() const {
        QStringList files;
        const CRecentFileList* list = theApp.GetRecentFileList();
        for (int i = 0; i < list->GetSize(); ++i)
            files << (*list)[i];
        return files;
    }
    static QStringList Stored() {
        QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                           QStringLiteral("Quib"));
        settings.beginGroup(QStringLiteral("Recent File List"));
        QStringList files;
        for (const QString& key : settings.childKeys())
            files << key + "=" + settings.value(key).toString();
        return files;
    }
    // The labels of the File menu's recent-file items that show.
    QStringList MenuLabels() const {
        QStringList labels;
        for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE4; ++id)
            if (Action(id)->isVisible())
                labels << Action(id)->text();
        return labels;
    }
    QString Canonical(const QString& path) const { return QFileInfo(path).absoluteFilePath(); }
};

TEST_F(RecentFilesTest, KeepsFourNewestFirstAcrossStarts) {
    Start();
    EXPECT_EQ(MenuLabels(), QStringList{"Recent File"});
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1));
    QStringList files;
    for (int i = 1; i <= 5; ++i) {
        files << Canonical(WriteDataFile("f" + std::to_string(i) + ".dat", 26, 1));
        ASSERT_NE(theApp.OpenDocumentFile(files.back()), nullptr);
    }
    EXPECT_EQ(Listed(), (QStringList{files[4], files[3], files[2], files[1]}));
    EXPECT_EQ(Stored(), (QStringList{"File1=" + files[4], "File2=" + files[3], "File3=" + files[2],
                                     "File4=" + files[1]}));
    // Opening a listed file again moves it to the top.
    ASSERT_NE(theApp.OpenDocumentFile(files[2]), nullptr);
    const QStringList order{files[2], files[4], files[3], files[1]};
    EXPECT_EQ(Listed(), order);

    // A second start reads the same list back and offers it in the menu.
    Stop();
    Start();
    EXPECT_EQ(Listed(), order);
    const QStringList labels = MenuLabels();
    ASSERT_EQ(labels.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(labels[i].startsWith(QStringLiteral("&%1 ").arg(i + 1)))
            << labels[i].toStdString();
        EXPECT_TRUE(labels[i].endsWith(QFileInfo(order[i]).fileName())) << labels[i].toStdString();
        EXPECT_TRUE(Enabled(ID_FILE_MRU_FILE1 + i));
    }
}

TEST_F(RecentFilesTest, AnEntryOpensAsFileOpenAndAFailingOneLeaves) {
    Start();
    const QString first = Canonical(WriteDataFile("first.dat", 26, 3));
    const QString second = Canonical(WriteDataFile("second.dat", 32, 2));
    ASSERT_NE(theApp.OpenDocumentFile(first), nullptr);
    ASSERT_NE(theApp.OpenDocumentFile(second), nullptr);
    // Entry 2 is first.dat.
    Frame()->SendCommand(ID_FILE_MRU_FILE2);
    WaitForReads();
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, 26);
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 3);
    EXPECT_EQ(Frame()->windowTitle(), "first.dat - Quib");
    EXPECT_EQ(Listed(), (QStringList{first, second}));

    ASSERT_EQ(std::remove(second.toLocal8Bit().constData()), 0);
    Frame()->SendCommand(ID_FILE_MRU_FILE2);
    WaitForReads();
    EXPECT_EQ(Listed(), QStringList{first});
    EXPECT_EQ(Stored(), QStringList{"File1=" + first});
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, -1);
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(second));
    EXPECT_TRUE(m_messages[0].contains("No such file or directory"));
}

TEST_F(RecentFilesTest, AFileThatCannotBeOpenedIsNotListed) {
    Start();
    EXPECT_EQ(theApp.OpenDocumentFile(QString::fromStdString(m_dir.Path() + "/none.dat")), nullptr);
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_TRUE(Stored().isEmpty());
}

// Where the settings cannot be written the list still serves this run, and
// the user is told once; nothing is written anywhere else.
TEST_F(RecentFilesTest, AListThatCannotBeSavedIsToldOnce) {
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStringLiteral("/proc/self/quib-settings"));
    Start();
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("a.dat", 26, 1)), nullptr);
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("b.dat", 26, 1)), nullptr);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].toStdString(),
              "The list of recent files cannot be saved in '/proc/self/quib-settings/Local "
              "AppWizard-Generated Applications/Quib.conf': it lasts for this run only.");
    EXPECT_EQ(Listed().size(), 2);
    EXPECT_TRUE(Stored().isEmpty());
}

} // namespace
