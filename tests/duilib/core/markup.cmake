# Skin markup parser, skin sources (folder, zip file, zip resource) and the paint
# manager's resource registries.
set(ZV_MARKUP_DATA "${CMAKE_CURRENT_LIST_DIR}/markup")
set(ZV_MARKUP_OUT "${CMAKE_CURRENT_BINARY_DIR}/markup")
set(ZV_MARKUP_ZIP "${ZV_MARKUP_OUT}/markup_skin.zip")
file(MAKE_DIRECTORY "${ZV_MARKUP_OUT}/skin/limits")

# The test skin is copied beside the test executables (folder source) and zipped
# (zip file and zip resource sources). The file list is part of the command, so
# adding or removing a file re-zips.
file(GLOB_RECURSE zv_markup_skin_files CONFIGURE_DEPENDS RELATIVE "${ZV_MARKUP_DATA}/skin" "${ZV_MARKUP_DATA}/skin/*")
list(TRANSFORM zv_markup_skin_files PREPEND "${ZV_MARKUP_DATA}/skin/" OUTPUT_VARIABLE zv_markup_skin_sources)
set(zv_markup_limit_files "${ZV_MARKUP_OUT}/skin/limits/exact.xml" "${ZV_MARKUP_OUT}/skin/limits/big.xml")

# 4 MiB documents do not belong in the repository: they are written at build time.
add_custom_command(OUTPUT ${zv_markup_limit_files}
  COMMAND ${CMAKE_COMMAND} "-DOUT=${ZV_MARKUP_OUT}/skin/limits" -P "${ZV_MARKUP_DATA}/MakeLimitFiles.cmake"
  DEPENDS "${ZV_MARKUP_DATA}/MakeLimitFiles.cmake"
  COMMENT "Writing the 4 MiB markup test documents")

add_custom_command(OUTPUT "${ZV_MARKUP_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E copy_directory "${ZV_MARKUP_DATA}/skin" "${ZV_MARKUP_OUT}/skin"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${ZV_MARKUP_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E tar cf "${ZV_MARKUP_ZIP}" --format=zip -- ${zv_markup_skin_files} limits/exact.xml limits/big.xml
  WORKING_DIRECTORY "${ZV_MARKUP_OUT}/skin"
  DEPENDS ${zv_markup_skin_sources} ${zv_markup_limit_files}
  COMMENT "Zipping the markup test skin")
add_custom_target(duilib_markup_skin DEPENDS "${ZV_MARKUP_ZIP}")

configure_file("${ZV_MARKUP_DATA}/SkinResource.rc.in" "${ZV_MARKUP_OUT}/SkinResource.rc" @ONLY)
set_source_files_properties("${ZV_MARKUP_OUT}/SkinResource.rc" PROPERTIES OBJECT_DEPENDS "${ZV_MARKUP_ZIP}")

zv_add_test(duilib_markup_tests
  SOURCES
    ${ZV_MARKUP_DATA}/MarkupTest.cpp
    ${ZV_MARKUP_DATA}/MarkupNodeTest.cpp
    ${ZV_MARKUP_DATA}/MarkupFuzzTest.cpp
  LIBS duilib
  TIMEOUT 120)

zv_add_test(duilib_skin_sources_tests
  SOURCES
    ${ZV_MARKUP_DATA}/SkinSourcesTest.cpp
    ${ZV_MARKUP_DATA}/ResourceLocationTest.cpp
    "${ZV_MARKUP_OUT}/SkinResource.rc"
  LIBS duilib
  TIMEOUT 120)
add_dependencies(duilib_skin_sources_tests duilib_markup_skin)
zv_add_test(duilib_resource_registry_tests
  SOURCES
    ${ZV_MARKUP_DATA}/FontRegistryTest.cpp
    ${ZV_MARKUP_DATA}/ResourceRegistryTest.cpp
  LIBS duilib
  TIMEOUT 60)
