# Installs the library into a scratch prefix, then builds the example program from the install
# tree twice: with the pkg-config file and with find_package(TarselTevra).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(failed)
        message(FATAL_ERROR "failed (${failed}): ${ARGN}\n${out}\n${err}")
    endif()
    set(run_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
file(GLOB_RECURSE pc_file ${prefix}/*/TarselTevra.pc)
file(GLOB_RECURSE config_file ${prefix}/*/TarselTevraConfig.cmake)
file(GLOB_RECURSE soname ${prefix}/*/libTarselTevra.so.1)
if(NOT EXISTS ${prefix}/include/TarselTevra.h OR NOT pc_file OR NOT config_file OR NOT soname)
    message(FATAL_ERROR "incomplete install tree: header, pkg-config file, package config or library missing")
endif()
get_filename_component(pc_dir ${pc_file} DIRECTORY)
get_filename_component(lib_dir ${soname} DIRECTORY)

# pkg-config, and a C compiler that knows nothing of this project.
run(${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config --cflags --libs TarselTevra)
string(STRIP "${run_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(cc -std=c11 -Wall -Werror -D_POSIX_C_SOURCE=200809L ${SOURCE_DIR}/examples/zel_move_demo.c ${flags}
    -o ${WORK_DIR}/demo_pc)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${lib_dir} ${WORK_DIR}/demo_pc
                RESULT_VARIABLE usage OUTPUT_QUIET ERROR_QUIET)
if(NOT usage EQUAL 2)
    message(FATAL_ERROR "the example built with pkg-config did not run (${usage})")
endif()

# find_package from a separate project.
file(WRITE ${WORK_DIR}/consumer/CMakeLists.txt "
cmake_minimum_required(VERSION 3.25)
project(consumer C)
find_package(TarselTevra 1.0 REQUIRED)
add_executable(demo ${SOURCE_DIR}/examples/zel_move_demo.c)
target_compile_definitions(demo PRIVATE _POSIX_C_SOURCE=200809L)
target_link_libraries(demo PRIVATE TarselTevra::TarselTevra)
")
run(${CMAKE_COMMAND} -S ${WORK_DIR}/consumer -B ${WORK_DIR}/consumer/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer/build)
execute_process(COMMAND ${WORK_DIR}/consumer/build/demo RESULT_VARIABLE usage OUTPUT_QUIET ERROR_QUIET)
if(NOT usage EQUAL 2)
    message(FATAL_ERROR "the example built with find_package did not run (${usage})")
endif()
message(STATUS "install tree usable through pkg-config and find_package")
