# The engine's document layer and page view.
file(GLOB ZV_DOM_TEST_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/dom/*.cpp")
zv_add_test(engine_dom_tests SOURCES ${ZV_DOM_TEST_SOURCES} LIBS engine gdi32 msimg32 TIMEOUT 120)
