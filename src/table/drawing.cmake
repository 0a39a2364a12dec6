# Every drawing operation of the table, on an off-screen surface, on top of
# the pictures layer; no window code.
add_library(plumfizz_drawing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TablePainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TablePainter.h
  ${CMAKE_CURRENT_LIST_DIR}/TablePainterReels.cpp
)
target_include_directories(plumfizz_drawing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(plumfizz_drawing PUBLIC Qt6::Gui plumfizz_pictures plumfizz_engine)
