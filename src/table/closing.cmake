# The menu bar, the single-copy lock, the steps of closing (update reminder,
# termination signals)
# and the forced stops that let the end-to-end build choose the reel stops.
add_library(plumfizz_closing STATIC
  InstanceLock.cpp
  InstanceLock.h
  MainMenu.cpp
  MainMenu.h
  TerminationSignals.cpp
  TerminationSignals.h
  UpdateReminder.cpp
  UpdateReminder.h
)
target_include_directories(plumfizz_closing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(plumfizz_closing PUBLIC Qt6::Widgets plumfizz_web plumfizz_store plumfizz_engine)

# Forced stops for the end-to-end build and the window tests; never linked
# into the game.
add_library(plumfizz_forced_stops STATIC ForcedStops.cpp ForcedStops.h)
target_include_directories(plumfizz_forced_stops PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(plumfizz_forced_stops PUBLIC plumfizz_engine)
