# Offscreen pixel tests of the table's drawing: pictures, scaling, counters,
# reels and their animation frames, and reading bitmap files.
include(GoogleTest)

add_executable(test-drawing
  drawing_main.cpp
  drawing_Pictures.cpp
  drawing_Pictures.h
  drawing_Table.h
  drawing_BitmapTest.cpp
  drawing_ReelsTest.cpp
  drawing_ScalingTest.cpp
  drawing_TableTest.cpp
)
target_link_libraries(test-drawing PRIVATE plumfizz_drawing Qt6::Gui GTest::gtest)
if(TARGET plumfizz_pictures)
  target_compile_definitions(test-drawing PRIVATE PLUMFIZZ_HAVE_BUILTIN_PICTURES)
endif()
gtest_discover_tests(test-drawing
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
