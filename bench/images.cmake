# Skin image loading (file read, decode, premultiplied DIB section) against a bare
# stb_image decode of the same bytes.
add_executable(image_bench "${CMAKE_CURRENT_LIST_DIR}/ImageBench.cpp")
target_link_libraries(image_bench PRIVATE duilib)
set_target_properties(image_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(image_bench)
