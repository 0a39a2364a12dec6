# Pictures, scaling and every drawing operation of the table, on an
# off-screen surface; no window code.
add_library(plumfizz_drawing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BitmapFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BitmapFile.h
  ${CMAKE_CURRENT_LIST_DIR}/PictureSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureSet.h
  ${CMAKE_CURRENT_LIST_DIR}/Scaling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Scaling.h
  ${CMAKE_CURRENT_LIST_DIR}/SurfaceCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SurfaceCopy.h
  ${CMAKE_CURRENT_LIST_DIR}/TablePainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TablePainter.h
  ${CMAKE_CURRENT_LIST_DIR}/TablePainterReels.cpp
)
target_include_directories(plumfizz_drawing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(plumfizz_drawing PUBLIC Qt6::Gui plumfizz_engine)
if(TARGET plumfizz_pictures)
  target_link_libraries(plumfizz_drawing PRIVATE plumfizz_pictures)
  target_compile_definitions(plumfizz_drawing PRIVATE PLUMFIZZ_HAVE_BUILTIN_PICTURES)
endif()
