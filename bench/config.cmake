# Remote configuration: navigator parse throughput against a bandwidth floor and, when its
# sources were fetched, pugixml built from Debian's source package (cmake/setup.sh puts it
# in .deps/pugixml; never committed); chunked unpacking against one plain uncompress.
add_executable(config_bench "${CMAKE_CURRENT_LIST_DIR}/ConfigBench.cpp")
target_link_libraries(config_bench PRIVATE app_core support config_packer zlib_static)
set(ZV_PUGIXML_DIR "${ZV_DEPS_DIR}/pugixml")
if(EXISTS "${ZV_PUGIXML_DIR}/pugixml.cpp")
  add_library(bench_pugixml STATIC "${ZV_PUGIXML_DIR}/pugixml.cpp")
  target_include_directories(bench_pugixml SYSTEM PUBLIC "${ZV_PUGIXML_DIR}")
  # Parses wchar_t text natively, as the navigator does; no conversion on either side.
  target_compile_definitions(bench_pugixml PUBLIC PUGIXML_WCHAR_MODE)
  # Third-party code: its warnings are not ours to fix.
  target_compile_options(bench_pugixml PRIVATE -w)
  target_link_libraries(config_bench PRIVATE bench_pugixml)
  target_compile_definitions(config_bench PRIVATE ZV_BENCH_HAVE_PUGIXML)
endif()
set_target_properties(config_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(config_bench)
