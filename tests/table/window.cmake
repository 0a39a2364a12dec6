# The main window on the offscreen platform: start-up, input, timers, the
# host's pacing and closing, read back from the window's surface and files.
include(GoogleTest)
find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(tests-table-window
  window_main.cpp
  window_Fixture.cpp
  window_Fixture.h
  window_CloseTest.cpp
  window_HostTest.cpp
  window_InputTest.cpp
  window_StartupTest.cpp
  window_TimersTest.cpp
  window_LifecycleTest.cpp
  window_SideDialogsTest.cpp
  window_SlotsTest.cpp
  window_MessageBoxesTest.cpp
)
target_link_libraries(tests-table-window PRIVATE plumfizz_table plumfizz_forced_stops Qt6::Test GTest::gtest)
gtest_discover_tests(tests-table-window
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
