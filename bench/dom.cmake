# Page engine: parse, layout and transport of a 1 MB page.
add_executable(dom_bench "${CMAKE_CURRENT_LIST_DIR}/DomBench.cpp")
target_link_libraries(dom_bench PRIVATE engine gdi32 msimg32)
set_target_properties(dom_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(dom_bench)
