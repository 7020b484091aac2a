# Library calls against a simulated line with every fault kind at a rate (default 100000 calls,
# 2 % per kind): wrong values accepted, time-outs, CRC failures, longest call, calls per second.
if(TARGET TarselTevra AND TARGET tarsel_sim)
    add_executable(bench_fault_soak ${CMAKE_CURRENT_LIST_DIR}/fault_soak.cpp)
    target_link_libraries(bench_fault_soak PRIVATE TarselTevra tarsel_sim)
endif()
