// Feeds arbitrary text to the RiloScript compiler and runs what compiles,
// with small limits: nothing may crash, leak or read out of bounds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cp1252_case.h"

#include "script/compiler.h"
#include "script/machine.h"
#include "script/symbols.h"

using namespace velmora::script;

// Built-ins such as `write` take file names from the input: let them land
// in a scratch folder, never beside the build or the sources.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/velmora-script-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses template or module.
  const SourceKind kind = (data[0] & 1) != 0 ? SourceKind::kTemplate : SourceKind::kModule;
  const std::string_view source(reinterpret_cast<const char*>(data + 1), size - 1);
  // A program that names `write` could create files anywhere through an
  // absolute path; names are case-insensitive, so look at the folded text.
  if (velmora::Cp1252ToLower(source).find("write") != std::string::npos) return 0;
  Program program;
  program.RegisterContextVariable("count_cur_file", ValueType::kInteger).SetInteger(3);
  program.RegisterContextVariable("file", ValueType::kString).SetString("IMG_0001");
  const CompileResult result = Compile(program, source, kind, "fuzz");
  (void)result.Message();
  MachineLimits limits;
  limits.call_memory_bytes = 64 << 10;
  limits.template_instructions = 20000;
  limits.code_instructions = 20000;
  limits.max_output_bytes = 1 << 16;
  Machine machine(program, limits);
  DiscardSink sink;
  for (const RLSFunktion& f : program.functions().all()) {
    if (f.state == FunctionState::kScript) machine.Run(f, sink);
  }
  return 0;
}
