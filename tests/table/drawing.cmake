# Offscreen pixel tests of the table's drawing: counters, buttons, the meter,
# labels, the full redraw, reels and their animation frames.
include(GoogleTest)

# The main comes with the synthetic pictures.
add_executable(tests-table-drawing
  drawing_Table.h
  drawing_ReelsTest.cpp
  drawing_TableTest.cpp
)
target_link_libraries(tests-table-drawing PRIVATE plumfizz_drawing plumfizz_test_pictures Qt6::Gui GTest::gtest)
gtest_discover_tests(tests-table-drawing
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
