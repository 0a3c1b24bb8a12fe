# RiloScript: loop-heavy script against the same program in Lua 5.4, and the
# thumbnail-cell template rendered into a discarding sink.
find_package(benchmark REQUIRED)
pkg_check_modules(LUA54 IMPORTED_TARGET lua5.4)
if(LUA54_FOUND)
  add_executable(script_bench ${CMAKE_CURRENT_LIST_DIR}/script_bench.cpp)
  target_link_libraries(script_bench PRIVATE velmora_script benchmark::benchmark PkgConfig::LUA54)
  velmora_target_options(script_bench)
endif()
