# The framework's string, geometry, colour and container types.
zv_add_test(duilib_strings_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DuiStringTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdPtrArrayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdValArrayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StdStringPtrMapTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DuiColorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaitCursorTest.cpp
  LIBS duilib
  TIMEOUT 60)
