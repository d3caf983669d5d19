# skin_data: the skin objects, the skin component (TSkinData) and the skin manager's registration
# side (skin/window/SkinManage.*, compiled here because the component's Loaded creates the manager,
# with the popup-menu windows the manager owns: skin/window/SkinPopMenu.*, PopupMenus.cpp).
if(WIN32)
  # Resources must be linked into each executable; this brings SkinData.rc into every executable
  # that links skin_data (and into no library).
  add_library(skin_data_resources INTERFACE)
  target_sources(skin_data_resources INTERFACE
    $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${CMAKE_CURRENT_LIST_DIR}/SkinData.rc>)

  add_library(skin_data STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SkinObjects.h
    ${CMAKE_CURRENT_LIST_DIR}/SkinDefinition.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinSkinData.cpp
    ${CMAKE_SOURCE_DIR}/skin/window/SkinManage.cpp
    ${CMAKE_SOURCE_DIR}/skin/window/SkinPopMenu.cpp
    ${CMAKE_SOURCE_DIR}/skin/window/PopupMenus.cpp
  )
  target_link_libraries(skin_data PUBLIC skin_data_core skin_drawing ui comctl32 skin_data_resources)
  target_include_directories(skin_data PUBLIC ${CMAKE_SOURCE_DIR})
endif()
