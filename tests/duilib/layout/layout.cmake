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
