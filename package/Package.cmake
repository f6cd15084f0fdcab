# The installer and the portable archive, named with the version, built from the client
# and its local pages by the target client_package. Included by app/CMakeLists.txt, whose
# product identity, page list and icon it uses.
find_program(ZV_MAKENSIS makensis)
if(NOT ZV_MAKENSIS)
  message(WARNING "makensis not found (cmake/setup.sh installs it): no installer target")
  return()
endif()

set(ZV_PACKAGE_DIR "${CMAKE_BINARY_DIR}/package" CACHE PATH "Where the installer and the portable archive go")
# The shipped client is 32-bit; a 64-bit build packages its own flavour, named apart, so
# the packaging can be tested where 32-bit programs cannot run.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ZV_NSIS_TARGET amd64-unicode)
  set(zv_flavour "-x64")
else()
  set(ZV_NSIS_TARGET x86-unicode)
  set(zv_flavour "")
endif()
set(zv_package_name "${ZV_PRODUCT_NAME}-${PROJECT_VERSION}${zv_flavour}")
set(ZV_SETUP_FILE "${ZV_PACKAGE_DIR}/${zv_package_name}-setup.exe")
set(ZV_PORTABLE_FILE "${ZV_PACKAGE_DIR}/${zv_package_name}-portable.zip")
set(ZV_EXE_NAME "${ZV_PRODUCT_NAME}.exe")

# The packaged tree, also the portable archive's one folder: the client and "Html".
set(zv_stage_root "${CMAKE_CURRENT_BINARY_DIR}/package-stage")
set(zv_stage "${zv_stage_root}/${ZV_PRODUCT_NAME}")
set(zv_staged "${zv_stage}/${ZV_EXE_NAME}")
set(zv_built_pages "")
set(ZV_NSIS_INSTALL
  "  SetOutPath \"$INSTDIR\"\n  File \"${zv_stage}/${ZV_EXE_NAME}\"\n  SetOutPath \"$INSTDIR\\Html\"\n")
set(ZV_NSIS_UNINSTALL "  Delete \"$INSTDIR\\${ZV_EXE_NAME}\"\n")
foreach(page IN LISTS zv_page_files)
  list(APPEND zv_built_pages "${CMAKE_CURRENT_BINARY_DIR}/Html/${page}")
  list(APPEND zv_staged "${zv_stage}/Html/${page}")
  string(APPEND ZV_NSIS_INSTALL "  File \"${zv_stage}/Html/${page}\"\n")
  string(APPEND ZV_NSIS_UNINSTALL "  Delete \"$INSTDIR\\Html\\${page}\"\n")
endforeach()
string(APPEND ZV_NSIS_UNINSTALL "  RMDir \"$INSTDIR\\Html\"\n")

add_custom_command(OUTPUT ${zv_staged}
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${zv_stage}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${zv_stage}/Html"
  # The packages carry no debugging information; the build tree's executable keeps it.
  COMMAND ${CMAKE_STRIP} --strip-all -o "${zv_stage}/${ZV_EXE_NAME}" "$<TARGET_FILE:Zeltavue>"
  COMMAND ${CMAKE_COMMAND} -E copy ${zv_built_pages} "${zv_stage}/Html"
  DEPENDS Zeltavue ${zv_built_pages}
  COMMENT "Staging the client for packaging")

add_custom_command(OUTPUT "${ZV_PORTABLE_FILE}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${ZV_PACKAGE_DIR}"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${ZV_PORTABLE_FILE}"
  COMMAND ${CMAKE_COMMAND} -E tar cf "${ZV_PORTABLE_FILE}" --format=zip -- "${ZV_PRODUCT_NAME}"
  WORKING_DIRECTORY "${zv_stage_root}"
  DEPENDS ${zv_staged}
  COMMENT "Zipping the portable client")

configure_file("${CMAKE_SOURCE_DIR}/package/Product.nsh.in" "${CMAKE_CURRENT_BINARY_DIR}/Product.nsh" @ONLY)
add_custom_command(OUTPUT "${ZV_SETUP_FILE}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${ZV_PACKAGE_DIR}"
  COMMAND "${ZV_MAKENSIS}" -V2 -WX -INPUTCHARSET UTF8 "-DPRODUCT_NSH=${CMAKE_CURRENT_BINARY_DIR}/Product.nsh"
    "${CMAKE_SOURCE_DIR}/package/Zeltavue.nsi"
  DEPENDS ${zv_staged} "${CMAKE_SOURCE_DIR}/package/Zeltavue.nsi" "${CMAKE_CURRENT_BINARY_DIR}/Product.nsh"
    "${ZV_APP_ICON}"
  COMMENT "Building the installer")

add_custom_target(client_package DEPENDS "${ZV_SETUP_FILE}" "${ZV_PORTABLE_FILE}")
set_target_properties(client_package PROPERTIES
  ZV_SETUP_FILE "${ZV_SETUP_FILE}" ZV_PORTABLE_FILE "${ZV_PORTABLE_FILE}")
