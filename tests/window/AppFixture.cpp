#include "AppFixture.h"

#include <QSettings>
#include <QTest>

void ClearSettings() {
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QStringLiteral("Quib"));
    settings.clear();
    settings.sync();
}

void AppFixture::SetUp() {
    ClearSettings();
    AfxSetMessageBoxHook([this](const QString& text, UINT) {
        m_messages << text;
        return IDOK;
    });
}

void AppFixture::TearDown() {
    Stop();
    AfxSetMessageBoxHook({});
}

void AppFixture::Start(const QString& file) {
    theApp.SetCommandLineFile(file);
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(Frame(), nullptr);
    WaitForReads();
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    Frame()->GetActiveView()->setFocus();
}

void AppFixture::WaitForReads() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Document()->IsReading(); }, 60000));
    // And what the read's end asked for: the views' paints.
    QCoreApplication::processEvents();
}

void AppFixture::Import(const QString& file) {
    Document()->ImportFiles({file});
    WaitForReads();
}

void AppFixture::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    Frame()->GetActiveView()->setFocus();
    QTest::keyClick(Frame()->GetActiveView(), key, modifiers);
    WaitForReads();
}

void AppFixture::Stop() {
    theApp.ExitInstance();
}

CMyQuibDoc* AppFixture::Document() const {
    return dynamic_cast<CMyQuibDoc*>(Frame()->GetActiveDocument());
}

bool AppFixture::Enabled(UINT id) const {
    return Action(id)->isEnabled();
}

QString AppFixture::WriteDataFile(const std::string& name, int dim, int records) const {
    std::string text = "DIM=" + std::to_string(dim) + "\nCONV_SECTION\n";
    for (int r = 1; r <= records; ++r) {
        text += "(" + std::to_string(r) + ")";
        for (int v = 0; v < 26; ++v)
            text += " " + std::to_string(r * 100 + v);
        text += "\n";
    }
    text += "END\n";
    return QString::fromStdString(m_dir.Write(name, text));
}
