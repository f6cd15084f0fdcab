# The paint manager over a tree of 1,000 controls: full paint, hit tests, name lookups
# and the paint cycle after one control changes size.
add_executable(manager_bench "${CMAKE_CURRENT_LIST_DIR}/ManagerBench.cpp"
  "${CMAKE_SOURCE_DIR}/tests/duilib/support/TestWindow.cpp")
target_link_libraries(manager_bench PRIVATE duilib)
set_target_properties(manager_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(manager_bench)
