# Host time per flash write record of the firmware writer against the simulated boot ROM.
add_executable(bench_firmware_write ${CMAKE_CURRENT_LIST_DIR}/firmware_write.cpp)
target_link_libraries(bench_firmware_write PRIVATE tarsel_firmware tarsel_sim)
