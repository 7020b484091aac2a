add_executable(bench_transport ${CMAKE_CURRENT_LIST_DIR}/transport_roundtrip.cpp)
target_link_libraries(bench_transport PRIVATE tarsel_comm util)

# The same exchange made by libmodbus, when it is installed, as a reference on this machine.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(LIBMODBUS QUIET IMPORTED_TARGET libmodbus)
    if(LIBMODBUS_FOUND)
        add_executable(bench_modbus_reference ${CMAKE_CURRENT_LIST_DIR}/modbus_reference.cpp)
        target_link_libraries(bench_modbus_reference PRIVATE tarsel_comm PkgConfig::LIBMODBUS util)
    endif()
endif()
