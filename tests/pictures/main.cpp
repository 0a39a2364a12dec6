// The entry of the picture and drawing tests.
#include <QGuiApplication>

#include <gtest/gtest.h>

// Text needs the font database of a GUI application; the offscreen platform
// provides one without a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
