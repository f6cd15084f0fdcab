# The drawing half of the render engine: nine-grid images, the image attribute
# string, fills, gradients, lines, frames, colour adjustment and clipping.
set(ZV_RENDER_DIR "${CMAKE_CURRENT_LIST_DIR}/render")

zv_add_test(duilib_render_logic_tests
  SOURCES
    ${ZV_RENDER_DIR}/NineGridTest.cpp
    ${ZV_RENDER_DIR}/PixelBlendTest.cpp
    ${ZV_RENDER_DIR}/GradientBandsTest.cpp
    ${ZV_RENDER_DIR}/AdjustColorTest.cpp
    ${ZV_RENDER_DIR}/ImageAttributeTest.cpp
  LIBS duilib
  TIMEOUT 60)

zv_add_test(duilib_render_paint_tests
  SOURCES
    ${ZV_RENDER_DIR}/DrawImageTest.cpp
    ${ZV_RENDER_DIR}/DrawImageStringTest.cpp
    ${ZV_RENDER_DIR}/FillTest.cpp
    ${ZV_RENDER_DIR}/AlphaBlenderTest.cpp
    ${ZV_RENDER_DIR}/FrameTest.cpp
    ${ZV_RENDER_DIR}/RenderClipTest.cpp
  LIBS duilib
  TIMEOUT 120)
