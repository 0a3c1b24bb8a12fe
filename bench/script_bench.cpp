// RiloScript speed: a loop-heavy program against the same program in Lua 5.4
// (both timed in this run), and renders of the default thumbnail cell.
//   <build>/bin/script_bench
#include <benchmark/benchmark.h>

#include <lua5.4/lua.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "script/compiler.h"
#include "script/machine.h"
#include "script/symbols.h"

namespace {

using namespace velmora::script;

// 1000 x 10000 = 10^7 inner iterations: integer arithmetic, comparisons and
// a string concatenation in each.
constexpr const char* kLoopScript = R"(
function loop() {
  sum = 0;
  hits = 0;
  i = 0;
  while (i < 1000) {
    j = 0;
    while (j < 10000) {
      sum = (sum + i * j) % 1000003;
      if (j % 7 == 3) hits = hits + 1;
      s = "v" + j;
      j = j + 1;
    }
    i = i + 1;
  }
  return sum + hits + len(s);
}
)";

constexpr const char* kLoopLua = R"(
function loop()
  local sum = 0
  local hits = 0
  local s
  local i = 0
  while i < 1000 do
    local j = 0
    while j < 10000 do
      sum = (sum + i * j) % 1000003
      if j % 7 == 3 then hits = hits + 1 end
      s = "v" .. j
      j = j + 1
    end
    i = i + 1
  end
  return sum + hits + #s
end
)";

// The same in idiomatic Lua, with its dedicated numeric for loop.
constexpr const char* kLoopLuaFor = R"(
function loop()
  local sum = 0
  local hits = 0
  local s
  for i = 0, 999 do
    for j = 0, 9999 do
      sum = (sum + i * j) % 1000003
      if j % 7 == 3 then hits = hits + 1 end
      s = "v" .. j
    end
  end
  return sum + hits + #s
end
)";

void BM_LoopRiloScript(benchmark::State& state) {
  Program program;
  if (!Compile(program, kLoopScript, SourceKind::kModule, "bench").ok()) std::abort();
  Machine machine(program);
  DiscardSink sink;
  for (auto _ : state) {
    machine.Run("loop", sink);
    benchmark::DoNotOptimize(program.return_value().value.integer());
  }
  state.counters["result"] = program.return_value().value.integer();
}
BENCHMARK(BM_LoopRiloScript)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoopLua(benchmark::State& state, const char* program) {
  lua_State* L = luaL_newstate();
  luaL_openlibs(L);
  if (luaL_dostring(L, program) != LUA_OK) std::abort();
  long long result = 0;
  for (auto _ : state) {
    lua_getglobal(L, "loop");
    lua_call(L, 0, 1);
    result = lua_tointeger(L, -1);
    lua_pop(L, 1);
  }
  state.counters["result"] = static_cast<double>(result);
  lua_close(L);
}
BENCHMARK_CAPTURE(BM_LoopLua, while_loops, kLoopLua)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_LoopLua, numeric_for, kLoopLuaFor)->Unit(benchmark::kMillisecond)->Iterations(3);

// The default "HTML_THUMB_PIC_TAG" snippet with its context variables set.
constexpr const char* kThumbPic =
    R"(<a href="{src_ref}"><img src="{thumb_ref}" style="border-style:none" width="{thumb_dimx}" height="{thumb_dimy}" alt="{file}" title="{file}"><br><font size="1">{FILE}</font></a><br><font size="1">{DIM}<br>{SIZE_BYTE} Bytes</font>)";

void BM_RenderThumbPic(benchmark::State& state) {
  Program program;
  program.RegisterContextVariable("src_ref", ValueType::kString).SetString("IMG_4711.html");
  program.RegisterContextVariable("thumb_ref", ValueType::kString).SetString("thumbs/IMG_4711.jpg");
  program.RegisterContextVariable("thumb_dimx", ValueType::kInteger).SetInteger(160);
  program.RegisterContextVariable("thumb_dimy", ValueType::kInteger).SetInteger(120);
  ContextVariable file = program.RegisterContextVariable("file", ValueType::kString);
  program.RegisterContextVariable("dim", ValueType::kString).SetString("4000 x 3000");
  ContextVariable size = program.RegisterContextVariable("size_byte", ValueType::kInteger);
  if (!Compile(program, kThumbPic, SourceKind::kTemplate, "HTML_THUMB_PIC_TAG").ok()) std::abort();
  const RLSFunktion& snippet = *program.functions().Find("HTML_THUMB_PIC_TAG");
  Machine machine(program);
  DiscardSink sink;
  std::int32_t n = 0;
  for (auto _ : state) {
    // As the run does per image: update two variables, render the cell.
    file.SetString(n % 2 == 0 ? "IMG_4711" : "IMG_4712");
    size.SetInteger(1234567 + n++);
    machine.Run(snippet, sink);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RenderThumbPic)->Iterations(1000000);

}  // namespace

BENCHMARK_MAIN();
