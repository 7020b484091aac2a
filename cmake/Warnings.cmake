# Strict warnings for every target of the project.
add_compile_options(-Wall -Wextra -Werror)
# GCC 12 reports overlapping or overflowing copies inside the standard library's inlined string
# and atomic code at -O3 ("const char* + std::string", an atomic store into a shared object):
# known false positives of its flow-based warnings.  They stay warnings, so the optimised build of
# ./run.sh is not stopped by them; the debug and sanitizer builds keep them as errors.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options($<$<CONFIG:Release,MinSizeRel>:-Wno-error=restrict>
                        $<$<CONFIG:Release,MinSizeRel>:-Wno-error=stringop-overflow>
                        $<$<CONFIG:Release,MinSizeRel>:-Wno-error=stringop-overread>
                        $<$<CONFIG:Release,MinSizeRel>:-Wno-error=array-bounds>
                        $<$<CONFIG:Release,MinSizeRel>:-Wno-error=maybe-uninitialized>)
endif()
