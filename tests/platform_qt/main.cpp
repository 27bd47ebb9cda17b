// The Qt view's tests run offscreen unless told otherwise.

#include <gtest/gtest.h>
#include <QApplication>

#include "tests/platform_qt/qt_test_support.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    quorvel::platform::qt::QtView view;
    quorvel::platform::qt::testing::installView(view);
    return RUN_ALL_TESTS();
}
