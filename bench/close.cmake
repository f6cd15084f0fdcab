# Browser engine: closing browsers and shutting down with a stalled load. Borrows the
# engine tests' loopback server for the server that never answers.
add_executable(close_bench "${CMAKE_CURRENT_LIST_DIR}/CloseBench.cpp"
  "${CMAKE_SOURCE_DIR}/tests/engine/core/browser/LoopbackHttpServer.cpp")
target_include_directories(close_bench PRIVATE "${CMAKE_SOURCE_DIR}/tests/engine/core/browser")
target_link_libraries(close_bench PRIVATE engine ws2_32)
set_target_properties(close_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
zv_track_imports(close_bench)
