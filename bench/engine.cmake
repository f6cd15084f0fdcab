# Browser engine: create-to-load-end for a 1 MB page and renderer start-up, against an
# in-process parse and a bare process start. The executable is its own renderer.
add_executable(engine_bench "${CMAKE_CURRENT_LIST_DIR}/EngineBench.cpp")
target_link_libraries(engine_bench PRIVATE engine)
set_target_properties(engine_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(engine_bench)
