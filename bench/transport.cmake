add_executable(bench_transport ${CMAKE_CURRENT_LIST_DIR}/transport_roundtrip.cpp)
target_link_libraries(bench_transport PRIVATE tarsel_comm util)
