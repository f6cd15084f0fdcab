# Containers, the linear layouts and the scroll bar.
set(ZV_LAYOUT_DIR "${CMAKE_CURRENT_LIST_DIR}")

zv_add_test(duilib_layout_tests
  SOURCES
    ${ZV_LAYOUT_DIR}/LinearLayoutTest.cpp
    ${ZV_LAYOUT_DIR}/ContainerTest.cpp
    ${ZV_LAYOUT_DIR}/ScrollTest.cpp
    ${ZV_LAYOUT_DIR}/../support/TestWindow.cpp
  LIBS duilib
  TIMEOUT 60)

# The tab, tile and child layouts; the child layout reads the builder's test skin.
zv_add_test(duilib_tab_tile_child_tests
  SOURCES
    ${ZV_LAYOUT_DIR}/TabLayoutTest.cpp
    ${ZV_LAYOUT_DIR}/TileLayoutTest.cpp
    ${ZV_LAYOUT_DIR}/ChildLayoutTest.cpp
    ${ZV_LAYOUT_DIR}/../support/TestWindow.cpp
    "${ZV_BUILDER_OUT}/BuilderResources.rc"
  LIBS duilib
  TIMEOUT 60)
add_dependencies(duilib_tab_tile_child_tests duilib_builder_skin)
