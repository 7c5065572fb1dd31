// Runs the figure tests in one QGuiApplication, offscreen, with private
// settings and runtime folders.

#include "PrivateSession.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const PrivateSession session;
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
