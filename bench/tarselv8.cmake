# CPU share of the connected, idle configuration program with 16 simulated drives.
if(TARGET tarsel_shell AND TARGET drivesim)
    add_executable(bench_tarselv8_idle ${CMAKE_CURRENT_LIST_DIR}/tarselv8_idle.cpp)
    target_link_libraries(bench_tarselv8_idle PRIVATE tarsel_window_list)
    target_compile_definitions(bench_tarselv8_idle PRIVATE DRIVESIM_PATH="$<TARGET_FILE:drivesim>")
    add_dependencies(bench_tarselv8_idle drivesim)
endif()
