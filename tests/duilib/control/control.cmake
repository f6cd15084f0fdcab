# The control base: attributes, state, event sources, painting and hit regions.
set(ZV_CONTROL_DIR "${CMAKE_CURRENT_LIST_DIR}")

zv_add_test(duilib_control_tests
  SOURCES
    ${ZV_CONTROL_DIR}/ControlAttributeTest.cpp
    ${ZV_CONTROL_DIR}/ControlStateTest.cpp
    ${ZV_CONTROL_DIR}/EventSourceTest.cpp
    ${ZV_CONTROL_DIR}/ControlPaintTest.cpp
    ${ZV_CONTROL_DIR}/HitRegionTest.cpp
    ${ZV_CONTROL_DIR}/../support/TestWindow.cpp
    ${ZV_CONTROL_DIR}/../core/images/ImageTestSupport.cpp
  LIBS duilib
  TIMEOUT 60)

# The text controls: label, button, option and check box.
zv_add_test(duilib_text_control_tests
  SOURCES
    ${ZV_CONTROL_DIR}/LabelTest.cpp
    ${ZV_CONTROL_DIR}/ButtonTest.cpp
    ${ZV_CONTROL_DIR}/OptionTest.cpp
    ${ZV_CONTROL_DIR}/../support/TestWindow.cpp
  LIBS duilib
  TIMEOUT 60)
