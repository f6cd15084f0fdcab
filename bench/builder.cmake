# Building skins into attached control trees: the main window's own skin (from its zip
# resource) and a generated 2,000-control skin, each against parsing its markup alone.
configure_file("${CMAKE_CURRENT_LIST_DIR}/BuilderBench.rc.in" "${CMAKE_CURRENT_BINARY_DIR}/BuilderBench.rc" @ONLY)
set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/BuilderBench.rc" PROPERTIES OBJECT_DEPENDS
  "${CMAKE_BINARY_DIR}/app/MainWndSkin.zip")
add_executable(builder_bench "${CMAKE_CURRENT_LIST_DIR}/BuilderBench.cpp"
  "${CMAKE_SOURCE_DIR}/tests/duilib/support/TestWindow.cpp" "${CMAKE_CURRENT_BINARY_DIR}/BuilderBench.rc")
add_dependencies(builder_bench client_skin)
target_link_libraries(builder_bench PRIVATE duilib)
set_target_properties(builder_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(builder_bench)
