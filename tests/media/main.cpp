// The media tests' entry: a Qt core application so that the end of a track,
// queued from SDL's audio thread, can be delivered.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
