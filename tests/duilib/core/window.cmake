# The window base: window objects and their native windows, message maps, the shadow
# window and its computed shadow.
set(ZV_WINDOW_SRC "${CMAKE_CURRENT_LIST_DIR}/window")
set(ZV_WINDOW_OUT "${CMAKE_CURRENT_BINARY_DIR}/window")

set(ZV_WINDOW_ICON "${CMAKE_SOURCE_DIR}/app/Zeltavue.ico")
configure_file("${ZV_WINDOW_SRC}/WindowResources.rc.in" "${ZV_WINDOW_OUT}/WindowResources.rc" @ONLY)
set_source_files_properties("${ZV_WINDOW_OUT}/WindowResources.rc" PROPERTIES OBJECT_DEPENDS "${ZV_WINDOW_ICON}")

zv_add_test(duilib_window_tests
  SOURCES
    ${ZV_WINDOW_SRC}/WindowWndTest.cpp
    ${ZV_WINDOW_SRC}/WindowPlacementTest.cpp
    ${ZV_WINDOW_SRC}/NotifyPumpTest.cpp
    ${ZV_WINDOW_SRC}/SoftShadowTest.cpp
    ${ZV_WINDOW_SRC}/WndShadowTest.cpp
    ${ZV_WINDOW_SRC}/WindowTestSupport.cpp
    ${ZV_WINDOW_SRC}/../../support/TestWindow.cpp
    "${ZV_WINDOW_OUT}/WindowResources.rc"
  LIBS duilib
  TIMEOUT 60)
