# The main window TForm1 (start-up, the rules' host, input, menu, timers and
# closing), the widget that shows its surface, the platform services, and the
# program itself.
add_library(plumfizz_table STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.h
  ${CMAKE_CURRENT_LIST_DIR}/Platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Platform.h
  ${CMAKE_CURRENT_LIST_DIR}/TForm1.h
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Close.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Slots.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1Timers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableView.h
  ${CMAKE_CURRENT_LIST_DIR}/WindowLifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowLifecycle.h
)
target_include_directories(plumfizz_table PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(plumfizz_table PRIVATE PLUMFIZZ_VERSION="${PROJECT_VERSION}")
target_link_libraries(plumfizz_table PUBLIC
  Qt6::Widgets
  plumfizz_drawing
  plumfizz_dialogs
  plumfizz_closing
  plumfizz_engine
  plumfizz_store
  plumfizz_media
  plumfizz_web
)

# The game, beside its theme files in the build directory.
add_executable(plumfizz ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(plumfizz PRIVATE plumfizz_table)
add_dependencies(plumfizz plumfizz_theme_files)

# The same program for the end-to-end test, which may choose the reel stops.
add_executable(plumfizz-e2e ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_compile_definitions(plumfizz-e2e PRIVATE PLUMFIZZ_FORCED_STOPS)
target_link_libraries(plumfizz-e2e PRIVATE plumfizz_table plumfizz_forced_stops)
add_dependencies(plumfizz-e2e plumfizz_theme_files)
