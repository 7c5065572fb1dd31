// Runs the window tests in one QApplication under the offscreen platform,
// with the settings in a private folder.

#include "PrivateSession.h"
#include "Resources.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const PrivateSession session;
    QApplication application(argc, argv);
    AfxSetResources(&kQuibResources);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
