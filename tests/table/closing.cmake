# Tests of the menu bar, the closing helpers and the forced stops.
include(GoogleTest)
find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(tests-table-closing
  closing_main.cpp
  closing_ForcedStopsTest.cpp
  closing_InstanceLockTest.cpp
  closing_MainMenuTest.cpp
  closing_TerminationSignalsTest.cpp
  closing_UpdateReminderTest.cpp
)
target_link_libraries(tests-table-closing PRIVATE
  plumfizz_closing plumfizz_forced_stops Qt6::Test GTest::gtest)
gtest_discover_tests(tests-table-closing
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
