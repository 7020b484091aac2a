# ZEL_GetAllStatus round trips through the shared library against the simulator, unpaced and
# paced at 115200 baud.
if(TARGET TarselTevra AND TARGET tarsel_sim)
    add_executable(bench_library_allstatus ${CMAKE_CURRENT_LIST_DIR}/library_allstatus.cpp)
    target_link_libraries(bench_library_allstatus PRIVATE TarselTevra tarsel_sim)
endif()
