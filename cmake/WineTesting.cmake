# Test executables run under Wine through CTest. The emulator script keeps one
# warm wineserver per prefix so that each launch is cheap.
set(ZV_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
configure_file("${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in" "${CMAKE_BINARY_DIR}/wine-run.sh"
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")

enable_testing()
include(GoogleTest)

set_property(GLOBAL PROPERTY ZV_EXECUTABLES "")

# Registers an executable whose DLL imports the build checks.
function(zv_track_imports target)
  set_property(GLOBAL APPEND PROPERTY ZV_EXECUTABLES "$<TARGET_FILE:${target}>")
endfunction()

# zv_add_test(NAME SOURCES ... [LIBS ...] [TIMEOUT s] [OWN_MAIN] [RUN_SERIAL])
# A GoogleTest executable from the given sources, linked with gtest_main unless the
# sources define main themselves (OWN_MAIN). RUN_SERIAL keeps other tests from running
# meanwhile, for tests that drive the real mouse or keyboard.
function(zv_add_test name)
  cmake_parse_arguments(T "OWN_MAIN;RUN_SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  set(serial "")
  if(T_RUN_SERIAL)
    set(serial RUN_SERIAL TRUE)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  zv_track_imports(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY "$<TARGET_FILE_DIR:${name}>"
    PROPERTIES TIMEOUT ${T_TIMEOUT} FIXTURES_REQUIRED WineFonts ${serial})
endfunction()

function(zv_add_import_check)
  get_property(files GLOBAL PROPERTY ZV_EXECUTABLES)
  add_test(NAME Build.ImportsSystemDllsOnly
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump "-DFILES=${files}"
      -P "${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake")
endfunction()
