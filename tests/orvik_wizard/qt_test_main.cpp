#include <gtest/gtest.h>

#include <QApplication>

// The window tests need one application object for the whole program; it
// draws offscreen, also when the tests are only being listed.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
