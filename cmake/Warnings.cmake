# Project-wide warning set; every target links vastrel_warnings.
add_library(vastrel_warnings INTERFACE)
target_compile_options(vastrel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
if(VASTREL_WERROR)
  target_compile_options(vastrel_warnings INTERFACE -Werror)
endif()
