// Test entry point of the widget suites: a QApplication (the offscreen platform in ctest).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Also when ctest lists the cases (no environment set then) and when run by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
