#include <gtest/gtest.h>

#include <QApplication>

// The dialogs need an application object; without a display of its own the
// program runs offscreen (also when CTest lists the cases).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
