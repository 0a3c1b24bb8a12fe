// The one-pass RiloScript compiler: recursive descent over the tokens,
// emitting instructions into the program's function table as it goes.
#pragma once

#include <string_view>

#include "script/compile_error.h"
#include "script/symbols.h"

namespace velmora::script {

enum class SourceKind : int {
  kTemplate = 0,  // literal text with code blocks in braces, one function named by the caller
  kModule = 1,    // a sequence of `function` definitions; the name is the module name
};

// Compiles one source into `program`. Functions compiled before an error stay
// in the function table; the function being compiled when it occurs does not.
CompileResult Compile(Program& program, std::string_view source, SourceKind kind, std::string_view name);

}  // namespace velmora::script
