# The window base: window objects and their native windows, message maps, the shadow
# window and its computed shadow, and skinned frameless windows built from a test skin.
set(ZV_WINDOW_SRC "${CMAKE_CURRENT_LIST_DIR}/window")
set(ZV_WINDOW_OUT "${CMAKE_CURRENT_BINARY_DIR}/window")
# The skin folder lies beside the test executables, where GetInstancePath points.
set(ZV_WINDOW_SKIN "${CMAKE_CURRENT_BINARY_DIR}/window_skin")
set(ZV_WINDOW_ICON "${CMAKE_SOURCE_DIR}/app/Zeltavue.ico")
set(ZV_WINDOW_SHADOW "${CMAKE_SOURCE_DIR}/app/skin/Aero.png")

# One frame skin per source, each titled with the source's name, so a test can tell
# where its window's skin came from: the folder, a zip file in it, an "xml" resource
# (images from the folder) and a zip resource.
foreach(source folder zip resource zipresource)
  set(ZV_SKIN_SOURCE ${source})
  configure_file("${ZV_WINDOW_SRC}/skin/Frame.xml.in" "${ZV_WINDOW_OUT}/${source}/Frame.xml" @ONLY)
endforeach()
set(zv_window_skin_outputs "${ZV_WINDOW_SKIN}/Frame.xml" "${ZV_WINDOW_SKIN}/skin.zip" "${ZV_WINDOW_OUT}/skin.zip")
add_custom_command(OUTPUT ${zv_window_skin_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${ZV_WINDOW_SKIN}"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_WINDOW_OUT}/folder/Frame.xml" "${ZV_WINDOW_SRC}/skin/Bare.xml"
    "${ZV_WINDOW_SRC}/skin/NoShadowImage.xml" "${ZV_WINDOW_SHADOW}" "${ZV_WINDOW_SKIN}"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_WINDOW_SHADOW}" "${ZV_WINDOW_OUT}/zip"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_WINDOW_SHADOW}" "${ZV_WINDOW_OUT}/zipresource"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${ZV_WINDOW_SKIN}/skin.zip" "${ZV_WINDOW_OUT}/skin.zip"
  COMMAND ${CMAKE_COMMAND} -E chdir "${ZV_WINDOW_OUT}/zip"
    ${CMAKE_COMMAND} -E tar cf "${ZV_WINDOW_SKIN}/skin.zip" --format=zip -- Frame.xml Aero.png
  COMMAND ${CMAKE_COMMAND} -E chdir "${ZV_WINDOW_OUT}/zipresource"
    ${CMAKE_COMMAND} -E tar cf "${ZV_WINDOW_OUT}/skin.zip" --format=zip -- Frame.xml Aero.png
  DEPENDS "${ZV_WINDOW_SRC}/skin/Frame.xml.in" "${ZV_WINDOW_SRC}/skin/Bare.xml" "${ZV_WINDOW_SRC}/skin/NoShadowImage.xml"
    "${ZV_WINDOW_SHADOW}"
  COMMENT "Laying out the window test skins")
add_custom_target(duilib_window_skin DEPENDS ${zv_window_skin_outputs})

configure_file("${ZV_WINDOW_SRC}/WindowResources.rc.in" "${ZV_WINDOW_OUT}/WindowResources.rc" @ONLY)
set_source_files_properties("${ZV_WINDOW_OUT}/WindowResources.rc" PROPERTIES OBJECT_DEPENDS
  "${ZV_WINDOW_ICON};${ZV_WINDOW_OUT}/skin.zip;${ZV_WINDOW_OUT}/resource/Frame.xml")

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

zv_add_test(duilib_window_base_tests
  SOURCES
    ${ZV_WINDOW_SRC}/WindowImplBaseTest.cpp
    ${ZV_WINDOW_SRC}/WindowFrameTest.cpp
    ${ZV_WINDOW_SRC}/TestSkinWindow.cpp
    ${ZV_WINDOW_SRC}/WindowTestSupport.cpp
    "${ZV_WINDOW_OUT}/WindowResources.rc"
  LIBS duilib
  TIMEOUT 90)
add_dependencies(duilib_window_base_tests duilib_window_skin)

# Real clicks go to whatever window lies under the shared mouse.
zv_add_test(duilib_window_input_tests
  SOURCES
    ${ZV_WINDOW_SRC}/WindowInputTest.cpp
    ${ZV_WINDOW_SRC}/TestSkinWindow.cpp
    ${ZV_WINDOW_SRC}/WindowTestSupport.cpp
    "${ZV_WINDOW_OUT}/WindowResources.rc"
  LIBS duilib
  TIMEOUT 90
  RUN_SERIAL)
add_dependencies(duilib_window_input_tests duilib_window_skin)

# The shadow's translucency on screen needs a compositing manager, which the script
# runs around the program; nothing else runs meanwhile, as it changes the display.
add_executable(duilib_shadow_screen_tests
  ${ZV_WINDOW_SRC}/ShadowOnScreenTest.cpp
  ${ZV_WINDOW_SRC}/TestSkinWindow.cpp
  ${ZV_WINDOW_SRC}/WindowTestSupport.cpp
  "${ZV_WINDOW_OUT}/WindowResources.rc")
target_link_libraries(duilib_shadow_screen_tests PRIVATE duilib GTest::gmock GTest::gtest_main)
zv_track_imports(duilib_shadow_screen_tests)
add_dependencies(duilib_shadow_screen_tests duilib_window_skin)
add_test(NAME Window.ShadowTranslucentOnScreen
  COMMAND "${ZV_WINDOW_SRC}/with-compositor.sh" "${CMAKE_BINARY_DIR}/wine-run.sh"
    "$<TARGET_FILE:duilib_shadow_screen_tests>"
  WORKING_DIRECTORY "$<TARGET_FILE_DIR:duilib_shadow_screen_tests>")
set_tests_properties(Window.ShadowTranslucentOnScreen PROPERTIES TIMEOUT 90 RUN_SERIAL TRUE FIXTURES_REQUIRED WineFonts)
