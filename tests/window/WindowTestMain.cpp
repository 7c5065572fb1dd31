// Runs the window tests in one QApplication under the offscreen platform,
// with the settings in a private folder.

#include "Resources.h"
#include "TempDir.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    TempDir config;
    TempDir runtime;
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResources(&kQuibResources);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
