// The tones of the view's refusals, played by the real tone output and
// measured on the null sink: Next on the last record, Scale larger at 4.

#include "ExpectedTones.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "RecordedTones.h"
#include "TempDir.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

TEST(ViewTones, RefusalsSoundTheirTones) {
    ASSERT_NE(std::getenv("QUIB_TONE_MONITOR"), nullptr) << "run under with-null-sink.sh";
    TempDir dir;
    CMyQuibDoc document;
    ASSERT_FALSE(document.OnOpenDocument(
        QString::fromStdString(dir.Write("two.dat", "DIM=26\nCONV_SECTION\n(1) 1\n(2) 2\nEND\n"))));
    CMyQuibView view;
    document.AddView(&view);
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    const std::string difference = RecordAndCompareTones(
        [&] {
            // Steps to the last record in silence, then once past it.
            view.OnNavigateFirst();
            view.OnNavigateDown();
            const bool inTime =
                MillisecondsTaken([&] { view.OnNavigateDown(); }) < 50 + kToneGraceMs;
            EXPECT_EQ(view.RecordIndex(), 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            const bool alsoInTime =
                MillisecondsTaken([&] { view.OnOptionsScaleLarger(); }) < 100 + kToneGraceMs;
            EXPECT_EQ(view.Options().scale, 4);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return inTime && alsoInTime;
        },
        kEndThenScaleTone);
    EXPECT_EQ(difference, "");
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
