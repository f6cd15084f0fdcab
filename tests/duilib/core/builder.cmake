# The dialog builder and control factory: skins built from a folder, a zip file, a zip
# resource and numbered resources.
set(ZV_BUILDER_DATA "${CMAKE_CURRENT_LIST_DIR}/builder")
set(ZV_BUILDER_OUT "${CMAKE_CURRENT_BINARY_DIR}/builder")
set(ZV_BUILDER_ZIP "${ZV_BUILDER_OUT}/builder_skin.zip")
set(ZV_BUILDER_IMAGE "${CMAKE_CURRENT_LIST_DIR}/images/data/green.png")
file(MAKE_DIRECTORY "${ZV_BUILDER_OUT}/skin")

# The skin is copied beside the test executable (folder source) with an image, and
# zipped (zip file and zip resource sources).
file(GLOB zv_builder_skin_files CONFIGURE_DEPENDS RELATIVE "${ZV_BUILDER_DATA}/skin" "${ZV_BUILDER_DATA}/skin/*")
list(TRANSFORM zv_builder_skin_files PREPEND "${ZV_BUILDER_DATA}/skin/" OUTPUT_VARIABLE zv_builder_skin_sources)
add_custom_command(OUTPUT "${ZV_BUILDER_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E copy_directory "${ZV_BUILDER_DATA}/skin" "${ZV_BUILDER_OUT}/skin"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_BUILDER_IMAGE}" "${ZV_BUILDER_OUT}/skin/green.png"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${ZV_BUILDER_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E tar cf "${ZV_BUILDER_ZIP}" --format=zip -- ${zv_builder_skin_files} green.png
  WORKING_DIRECTORY "${ZV_BUILDER_OUT}/skin"
  DEPENDS ${zv_builder_skin_sources} "${ZV_BUILDER_IMAGE}"
  COMMENT "Zipping the builder test skin")
add_custom_target(duilib_builder_skin DEPENDS "${ZV_BUILDER_ZIP}")

configure_file("${ZV_BUILDER_DATA}/BuilderResources.rc.in" "${ZV_BUILDER_OUT}/BuilderResources.rc" @ONLY)
set_source_files_properties("${ZV_BUILDER_OUT}/BuilderResources.rc" PROPERTIES OBJECT_DEPENDS
  "${ZV_BUILDER_ZIP};${ZV_BUILDER_DATA}/skin/ResMain.xml;${ZV_BUILDER_DATA}/skin/Panel.xml")

zv_add_test(duilib_builder_tests
  SOURCES
    ${ZV_BUILDER_DATA}/DialogBuilderTest.cpp
    ${ZV_BUILDER_DATA}/../../support/TestWindow.cpp
    "${ZV_BUILDER_OUT}/BuilderResources.rc"
  LIBS duilib
  TIMEOUT 60)
add_dependencies(duilib_builder_tests duilib_builder_skin)
