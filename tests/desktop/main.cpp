// The desktop tests' program: Google Test run inside a QApplication.
#include <QApplication>

#include <gtest/gtest.h>

// Widgets need a QApplication; the offscreen platform lets them run without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
