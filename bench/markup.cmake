# Skin markup parse throughput against memcpy and, when fetched, tinyxml2 built from
# Debian's source package (cmake/setup.sh puts it in .deps/tinyxml2; never committed).
add_executable(markup_bench "${CMAKE_CURRENT_LIST_DIR}/MarkupBench.cpp")
target_link_libraries(markup_bench PRIVATE duilib)
set(ZV_TINYXML2_DIR "${ZV_DEPS_DIR}/tinyxml2")
if(EXISTS "${ZV_TINYXML2_DIR}/tinyxml2.cpp")
  add_library(bench_tinyxml2 STATIC "${ZV_TINYXML2_DIR}/tinyxml2.cpp")
  target_include_directories(bench_tinyxml2 SYSTEM PUBLIC "${ZV_TINYXML2_DIR}")
  # Third-party code: its warnings are not ours to fix.
  target_compile_options(bench_tinyxml2 PRIVATE -w)
  target_link_libraries(markup_bench PRIVATE bench_tinyxml2)
  target_compile_definitions(markup_bench PRIVATE ZV_BENCH_HAVE_TINYXML2)
endif()
set_target_properties(markup_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(markup_bench)
