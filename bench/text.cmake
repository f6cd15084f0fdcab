# Formatted text (DrawHtmlText) of a 2,000-character tagged text in a 1080-pixel-wide
# rectangle, drawing and calculating only, against DrawTextW of the same words.
add_executable(text_bench "${CMAKE_CURRENT_LIST_DIR}/TextBench.cpp")
target_link_libraries(text_bench PRIVATE duilib)
set_target_properties(text_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(text_bench)
