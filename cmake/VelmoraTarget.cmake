# Shared compile settings for every Velmora target.
function(velmora_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual)
  # GCC 12 warns of overlapping copies inside std::string that cannot happen.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(VELMORA_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# velmora_library(name DIR dir [EXCLUDE regex...] DEPS deps... PRIVATE_DEPS deps...)
# Every *.cpp below DIR (recursively) belongs to the library unless it matches
# an EXCLUDE pattern (sub-units with targets of their own, program entry points).
function(velmora_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS;PRIVATE_DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  foreach(pattern ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  velmora_target_options(${name})
  if(VELMORA_SANITIZE)
    target_link_options(${name} INTERFACE -fsanitize=address,undefined)
  endif()
endfunction()
