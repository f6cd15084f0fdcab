# The paint manager driving real windows: mouse, focus, notifications, timers, the
# tree it holds and painting; and the pure pieces it is built from.
set(ZV_MANAGER_DIR "${CMAKE_CURRENT_LIST_DIR}/manager")

zv_add_test(duilib_manager_tests
  SOURCES
    ${ZV_MANAGER_DIR}/ManagerMouseTest.cpp
    ${ZV_MANAGER_DIR}/ManagerFocusTest.cpp
    ${ZV_MANAGER_DIR}/ManagerNotifyTest.cpp
    ${ZV_MANAGER_DIR}/ManagerTimerTest.cpp
    ${ZV_MANAGER_DIR}/ManagerTreeTest.cpp
    ${ZV_MANAGER_DIR}/ManagerPaintTest.cpp
    ${ZV_MANAGER_DIR}/LayeredAlphaTest.cpp
    ${ZV_MANAGER_DIR}/AttributeValueTest.cpp
    ${ZV_MANAGER_DIR}/../../support/TestWindow.cpp
    ${ZV_MANAGER_DIR}/../images/ImageTestSupport.cpp
  LIBS duilib
  TIMEOUT 60)
