# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra)
if(WINDLECROFT_WERROR)
  add_compile_options(-Werror)
endif()
if(WINDLECROFT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WINDLECROFT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "WINDLECROFT_FUZZ needs clang: configure a separate build folder with CC=clang CXX=clang++")
  endif()
  # Every object carries libFuzzer's coverage counters and both sanitizers; only the fuzz
  # targets link libFuzzer itself (it brings its own main).
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()
