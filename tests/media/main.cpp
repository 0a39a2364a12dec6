// The media tests' entry: SDL's dummy audio driver unless one is chosen, and a
// Qt core application so that the end of a track, queued from SDL's audio
// thread, can be delivered.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
