# The engine's core: values, transport, DOM access (unit tests) and real browsers
# with renderer sub-processes (the browser tests, which are their own renderer).
file(GLOB ZV_ENGINE_CORE_UNIT_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/core/*.cpp")
if(ZV_ENGINE_CORE_UNIT_SOURCES)
  zv_add_test(engine_core_tests SOURCES ${ZV_ENGINE_CORE_UNIT_SOURCES} LIBS engine)
endif()

file(GLOB ZV_ENGINE_BROWSER_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/core/browser/*.cpp")
zv_add_test(engine_browser_tests SOURCES ${ZV_ENGINE_BROWSER_SOURCES} LIBS browser engine ws2_32 OWN_MAIN TIMEOUT 120)
target_include_directories(engine_browser_tests PRIVATE "${CMAKE_CURRENT_LIST_DIR}/core/browser")
