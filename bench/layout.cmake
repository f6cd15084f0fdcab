# Layout of wide and nested linear layouts against the bare placing of their children.
add_executable(layout_bench "${CMAKE_CURRENT_LIST_DIR}/LayoutBench.cpp"
  "${CMAKE_SOURCE_DIR}/tests/duilib/support/TestWindow.cpp")
target_link_libraries(layout_bench PRIVATE duilib)
set_target_properties(layout_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(layout_bench)
