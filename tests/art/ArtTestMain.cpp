// The artwork tests' program: Google Test run inside a QGuiApplication on the offscreen platform.
#include <gtest/gtest.h>
#include <QGuiApplication>

int main(int argc, char** argv)
{
    // Drawing text needs a GUI application; no display is needed or wanted.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
