# The drawing routines every skinned element is painted with (nine-slice, bars, masked copies,
# window regions, pixel operations, caption text).
if(WIN32)
  add_library(skin_drawing STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SkinDraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinRegion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinPixelOps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinText.cpp
  )
  target_link_libraries(skin_drawing PUBLIC ui)
endif()
