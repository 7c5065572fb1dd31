// Runs the figure tests in one QGuiApplication under the offscreen
// platform, with private settings and runtime folders.

#include "TempDir.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    TempDir config;
    TempDir runtime;
    setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
