# Project-wide warning set; every target links vastrel_warnings.
add_library(vastrel_warnings INTERFACE)
target_compile_options(vastrel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
# GCC 12 reports a false -Wrestrict inside std::string concatenation at -O3
# (GCC bug 105329); nothing of ours is involved.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(vastrel_warnings INTERFACE -Wno-restrict)
endif()
if(VASTREL_WERROR)
  target_compile_options(vastrel_warnings INTERFACE -Werror)
endif()
