# CDuiString and CStdStringPtrMap against the standard library's string and hash map.
add_executable(string_bench "${CMAKE_CURRENT_LIST_DIR}/StringBench.cpp")
target_link_libraries(string_bench PRIVATE duilib)
set_target_properties(string_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(string_bench)
