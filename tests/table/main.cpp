// The window tests' program: Google Test run inside a QApplication.
#include <QApplication>

#include <gtest/gtest.h>

// The window needs a QApplication; the offscreen platform lets it run without
// a display. Closing a test's window must not end the application.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
