# Fuzz build: every target is compiled with coverage for libFuzzer and with ASan and UBSan, and
# the fuzz targets under tests/fuzz are linked with the fuzzing engine.  Clang only.
option(TARSEL_BUILD_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(TARSEL_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TARSEL_BUILD_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    if(NOT TARSEL_SANITIZE STREQUAL "")
        message(FATAL_ERROR "TARSEL_BUILD_FUZZ brings its own sanitizers; leave TARSEL_SANITIZE empty")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
