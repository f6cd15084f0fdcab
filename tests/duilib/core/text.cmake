# Text of the render engine: the pure pieces of formatted text (tag scanner, tag
# arguments, line breaker, layout on a fake canvas, alignment, link table, colours)
# and the GDI drawing of plain and formatted text into DIB sections.
set(ZV_TEXT_TESTS "${CMAKE_CURRENT_LIST_DIR}/text")

zv_add_test(duilib_text_logic_tests
  SOURCES
    ${ZV_TEXT_TESTS}/HtmlTextScannerTest.cpp
    ${ZV_TEXT_TESTS}/HtmlTextTagArgumentsTest.cpp
    ${ZV_TEXT_TESTS}/HtmlTextLineBreakerTest.cpp
    ${ZV_TEXT_TESTS}/HtmlTextLinkTableTest.cpp
    ${ZV_TEXT_TESTS}/HtmlTextAlignmentTest.cpp
    ${ZV_TEXT_TESTS}/HtmlTextLayoutTest.cpp
    ${ZV_TEXT_TESTS}/RenderEngineTextColorsTest.cpp
  LIBS duilib)

zv_add_test(duilib_text_render_tests
  SOURCES
    ${ZV_TEXT_TESTS}/DrawTextTest.cpp
    ${ZV_TEXT_TESTS}/DrawHtmlTextTest.cpp
    ${ZV_TEXT_TESTS}/DrawHtmlTextFuzzTest.cpp
  LIBS duilib
  TIMEOUT 180)
