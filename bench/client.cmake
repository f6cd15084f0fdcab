# The running client, measured from outside by tools/demo/figures.py (run by make bench):
# a probe and a plain window that gives the system's floor. They live in a folder of
# their own because they are not benchmarks that run alone.
add_executable(client_probe "${CMAKE_CURRENT_LIST_DIR}/ClientProbe.cpp")
add_executable(plain_window WIN32 "${CMAKE_CURRENT_LIST_DIR}/PlainWindow.cpp")
target_link_libraries(client_probe PRIVATE common)
target_link_options(client_probe PRIVATE -municode)
target_link_libraries(plain_window PRIVATE common)
target_link_options(plain_window PRIVATE -municode)
set_target_properties(client_probe plain_window PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench/client")
zv_track_imports(client_probe)
zv_track_imports(plain_window)
