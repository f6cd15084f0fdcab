# Full-window nine-grid backgrounds per frame, blended and opaque, against single
# platform blits of the same area.
add_executable(render_bench "${CMAKE_CURRENT_LIST_DIR}/RenderBench.cpp")
target_link_libraries(render_bench PRIVATE duilib)
set_target_properties(render_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(render_bench)
