# Image decoding, loading from every skin source, animated images and the paint
# manager's image registry.
set(ZV_IMAGES_SRC "${CMAKE_CURRENT_LIST_DIR}/images")
set(ZV_IMAGES_DATA "${ZV_IMAGES_SRC}/data")
set(ZV_IMAGES_OUT "${CMAKE_CURRENT_BINARY_DIR}/images")
set(ZV_IMAGES_ZIP "${ZV_IMAGES_OUT}/skin/images.zip")
file(MAKE_DIRECTORY "${ZV_IMAGES_OUT}/skin" "${ZV_IMAGES_OUT}/zip/Images")

# The folder source holds which.png in blue; the zip holds Images/Which.png in green,
# so a test can tell which source an image came from.
add_custom_command(OUTPUT "${ZV_IMAGES_ZIP}" "${ZV_IMAGES_OUT}/skin/which.png" "${ZV_IMAGES_OUT}/skin/opaque.png"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_IMAGES_DATA}/blue.png" "${ZV_IMAGES_OUT}/skin/which.png"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_IMAGES_DATA}/quad.png" "${ZV_IMAGES_OUT}/skin/quad.png"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_IMAGES_DATA}/opaque.png" "${ZV_IMAGES_OUT}/skin/opaque.png"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_IMAGES_DATA}/green.png" "${ZV_IMAGES_OUT}/zip/Images/Which.png"
  COMMAND ${CMAKE_COMMAND} -E copy "${ZV_IMAGES_DATA}/quad.png" "${ZV_IMAGES_OUT}/zip/quad.png"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${ZV_IMAGES_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E tar cf "${ZV_IMAGES_ZIP}" --format=zip -- Images/Which.png quad.png
  WORKING_DIRECTORY "${ZV_IMAGES_OUT}/zip"
  DEPENDS "${ZV_IMAGES_DATA}/blue.png" "${ZV_IMAGES_DATA}/green.png" "${ZV_IMAGES_DATA}/quad.png"
    "${ZV_IMAGES_DATA}/opaque.png"
  COMMENT "Laying out the image test skin")
add_custom_target(duilib_images_skin DEPENDS "${ZV_IMAGES_ZIP}")

configure_file("${ZV_IMAGES_SRC}/ImageResources.rc.in" "${ZV_IMAGES_OUT}/ImageResources.rc" @ONLY)
set_source_files_properties("${ZV_IMAGES_OUT}/ImageResources.rc" PROPERTIES OBJECT_DEPENDS
  "${ZV_IMAGES_DATA}/quad.png;${ZV_IMAGES_DATA}/green.png")

zv_add_test(duilib_image_decoder_tests
  SOURCES
    ${ZV_IMAGES_SRC}/ImagePixelsTest.cpp
    ${ZV_IMAGES_SRC}/ImageDecoderTest.cpp
    ${ZV_IMAGES_SRC}/ImageTestSupport.cpp
  LIBS duilib
  TIMEOUT 120)

zv_add_test(duilib_image_loading_tests
  SOURCES
    ${ZV_IMAGES_SRC}/LoadImageTest.cpp
    ${ZV_IMAGES_SRC}/GifHandlerTest.cpp
    ${ZV_IMAGES_SRC}/ImageRegistryTest.cpp
    ${ZV_IMAGES_SRC}/ImageTestSupport.cpp
    "${ZV_IMAGES_OUT}/ImageResources.rc"
  LIBS duilib
  TIMEOUT 120)
add_dependencies(duilib_image_loading_tests duilib_images_skin)
