# Tests of the menu bar, the closing helpers and the forced stops.
include(GoogleTest)
find_package(Qt6 REQUIRED COMPONENTS Test)

set(plumfizz_closing_test_sources
  closing_main.cpp
  closing_MainMenuTest.cpp
  closing_TerminationSignalsTest.cpp
  closing_ForcedStopsTest.cpp
)
# The reminder needs the settings-file service of the store.
if(TARGET plumfizz_store)
  list(APPEND plumfizz_closing_test_sources closing_UpdateReminderTest.cpp)
endif()

add_executable(closing_tests ${plumfizz_closing_test_sources})
target_link_libraries(closing_tests PRIVATE
  plumfizz_closing plumfizz_forced_stops Qt6::Test GTest::gtest)
gtest_discover_tests(closing_tests
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
