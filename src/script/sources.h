// Compiling the sources of a run together: profile modules, script file
// modules, the image oracle, stamp texts and template snippets, with the
// messages the user sees for each, and the check for called functions that
// no module defines.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "script/compile_error.h"
#include "script/compiler.h"
#include "script/symbols.h"

namespace velmora::script {

inline constexpr std::string_view kCompilerTitle = "RiloScript Compiler";

// One module as the profile or the script file holds it.
struct ModuleSource {
  std::string_view name;
  std::string_view source;
};

// Where a source comes from; decides the wrapping message of a compile error.
enum class SourceOrigin {
  kProfileModule,     // "ErrProfileModuleLastErr": module name, message
  kScriptFileModule,  // "ErrModuleLastErr": module name, message
  kStampText,         // "ErrStampLastErr": stamp text name, message
  kTemplate,          // "ErrTagLastErr": page, snippet name, message
  kOracle,            // "ErrOracleLastErr": message
};

// Shows a compile result under the title "RiloScript Compiler": a warning
// for an error, information for success (syntax tests). `page` is used for
// templates only.
void ShowCompileResult(SourceOrigin origin, const CompileResult& result, std::string_view name,
                       std::string_view page = {});

struct ModulesResult {
  bool ok = true;
  std::size_t failed = 0;  // index of the module with the error
  CompileResult error;
};

// Compiles modules in order as code modules; stops at the first error and
// shows it. Module statuses: those before `failed` compiled, `failed` had
// the error, later ones were not compiled.
ModulesResult CompileModules(Program& program, std::span<const ModuleSource> modules, SourceOrigin origin);

// The oracle text becomes the template "{" CR LF text CR LF "}" compiled as `_oracle`.
bool CompileOracle(Program& program, std::string_view text);

// Compiles a template snippet (stamp text or HTML template) as function
// `name`, showing an error.
bool CompileTemplate(Program& program, std::string_view text, std::string_view name, SourceOrigin origin,
                     std::string_view page = {});

// Shows "ErrMissingFunction" for the first function that is called but
// defined nowhere, with the calling module; true when there is none.
bool CheckMissingFunctions(const Program& program);

// Syntax test of one source: compiles it, shows the outcome, and removes a
// template's function again so that the test leaves nothing behind. A
// template without code is reported as "MsgSyntaxcheckNotNecessary".
CompileResult SyntaxTest(Program& program, std::string_view text, SourceKind kind, std::string_view name,
                         SourceOrigin origin, std::string_view page = {});

}  // namespace velmora::script
