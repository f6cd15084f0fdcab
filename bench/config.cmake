# Remote configuration: navigator parse throughput and chunked unpacking against one plain uncompress.
add_executable(config_bench "${CMAKE_CURRENT_LIST_DIR}/ConfigBench.cpp")
target_link_libraries(config_bench PRIVATE app_core support config_packer zlib_static)
set_target_properties(config_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(config_bench)
