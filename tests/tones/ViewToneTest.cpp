// The tones of the view's refusals, played by the real tone output and
// measured on the null sink: Next on the last record, Scale larger at 4.

#include "ExpectedTones.h"
#include "MonitorRecording.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "TempDir.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

TEST(ViewTones, RefusalsSoundTheirTones) {
    ASSERT_NE(std::getenv("QUIB_TONE_MONITOR"), nullptr) << "run under with-null-sink.sh";
    TempDir dir;
    CMyQuibDoc document;
    ASSERT_FALSE(
        document.OpenDataFile(dir.Write("two.dat", "DIM=26\nCONV_SECTION\n(1) 1\n(2) 2\nEND\n")));
    CMyQuibView view;
    document.AddView(&view);
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    MonitorRecording recording(dir.Path() + "/capture.raw");
    ASSERT_TRUE(recording.Running());
    // Steps to the last record in silence, then once past it.
    view.OnNavigateDown();
    view.OnNavigateDown();
    EXPECT_EQ(view.m_nRecordIndex, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    view.OnOptionsScaleLarger();
    EXPECT_EQ(view.m_nScale, 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const std::vector<Tone> tones = FindTones(recording.Stop(), kMonitorRate);
    ExpectEndThenScaleTone(tones);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
