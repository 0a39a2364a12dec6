# The menu bar, the steps of closing (update reminder, termination signals)
# and the test hook that lets the end-to-end build choose the reel stops.
add_library(plumfizz_closing STATIC
  MainMenu.cpp
  MainMenu.h
  TerminationSignals.cpp
  TerminationSignals.h
  TestHooks.h
  UpdateReminder.cpp
  UpdateReminder.h
)
target_include_directories(plumfizz_closing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(plumfizz_closing PUBLIC Qt6::Widgets plumfizz_web)
foreach(dependency plumfizz_store plumfizz_engine)
  if(TARGET ${dependency})
    target_link_libraries(plumfizz_closing PUBLIC ${dependency})
  endif()
endforeach()

# table::TestStopsOverride() has two definitions, chosen at link time. Exactly
# one of these libraries goes into each program:
#   plumfizz_test_hooks      - never overrides; linked into `plumfizz`.
#   plumfizz_test_hooks_e2e  - reads PLUMFIZZ_TEST_STOPS="a,b,c" (each 1..30);
#                              linked only into `plumfizz-e2e`, the build the
#                              end-to-end test drives, so the game as shipped
#                              cannot be told where to stop.
add_library(plumfizz_test_hooks STATIC TestHooks.cpp TestHooks.h)
target_include_directories(plumfizz_test_hooks PUBLIC ${PROJECT_SOURCE_DIR}/src)

add_library(plumfizz_test_hooks_e2e STATIC TestHooksE2E.cpp TestStops.cpp TestHooks.h)
target_include_directories(plumfizz_test_hooks_e2e PUBLIC ${PROJECT_SOURCE_DIR}/src)
