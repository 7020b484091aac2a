# Strict warnings for every target of the project.
add_compile_options(-Wall -Wextra -Werror)
# GCC 12 reports "const char* + std::string" as an overlapping copy at -O3 (a known false positive
# of its -Wrestrict inside the standard library's inlined string code); keep it a warning so the
# optimised build of ./run.sh is not stopped by it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-error=restrict)
endif()
