// Compiling a run's sources together, with their messages.
#include "script/sources.h"

#include <string>

#include "lang/messages.h"

namespace velmora::script {

void ShowCompileResult(SourceOrigin origin, const CompileResult& result, std::string_view name,
                       std::string_view page) {
  const int style = result.ok() ? lang::kIconInformation : lang::kIconExclamation;
  // The message facility escapes control characters in parameters; the
  // compiler's own line breaks go in as "%n", which it turns back into breaks.
  std::string message = result.Message();
  for (std::size_t at = message.find("\r\n"); at != std::string::npos; at = message.find("\r\n", at)) {
    message.replace(at, 2, "%n");
  }
  const Cp1252Text n(name);
  const Cp1252Text shown(std::move(message));
  switch (origin) {
    case SourceOrigin::kProfileModule:
      lang::ShowMessage(kCompilerTitle, style, "ErrProfileModuleLastErr", {n, shown});
      break;
    case SourceOrigin::kScriptFileModule:
      lang::ShowMessage(kCompilerTitle, style, "ErrModuleLastErr", {n, shown});
      break;
    case SourceOrigin::kStampText:
      lang::ShowMessage(kCompilerTitle, style, "ErrStampLastErr", {n, shown});
      break;
    case SourceOrigin::kTemplate:
      lang::ShowMessage(kCompilerTitle, style, "ErrTagLastErr", {Cp1252Text(page), n, shown});
      break;
    case SourceOrigin::kOracle:
      lang::ShowMessage(kCompilerTitle, style, "ErrOracleLastErr", {shown});
      break;
  }
}

ModulesResult CompileModules(Program& program, std::span<const ModuleSource> modules, SourceOrigin origin) {
  ModulesResult result;
  for (std::size_t i = 0; i < modules.size(); ++i) {
    CompileResult r = Compile(program, modules[i].source, SourceKind::kModule, modules[i].name);
    if (!r.ok()) {
      ShowCompileResult(origin, r, modules[i].name);
      result.ok = false;
      result.failed = i;
      result.error = std::move(r);
      return result;
    }
  }
  return result;
}

bool CompileOracle(Program& program, std::string_view text) {
  std::string source = "{\r\n";
  source += text;
  source += "\r\n}";
  const CompileResult r = Compile(program, source, SourceKind::kTemplate, "_oracle");
  if (!r.ok()) ShowCompileResult(SourceOrigin::kOracle, r, "_oracle");
  return r.ok();
}

bool CompileTemplate(Program& program, std::string_view text, std::string_view name, SourceOrigin origin,
                     std::string_view page) {
  const CompileResult r = Compile(program, text, SourceKind::kTemplate, name);
  if (!r.ok()) ShowCompileResult(origin, r, name, page);
  return r.ok();
}

bool CheckMissingFunctions(const Program& program) {
  const RLSFunktion* missing = program.functions().FirstMissing();
  if (missing == nullptr) return true;
  lang::ShowMessage(kCompilerTitle, lang::kIconExclamation, "ErrMissingFunction",
                    {Cp1252Text(missing->name), Cp1252Text(missing->referenced_from)});
  return false;
}

CompileResult SyntaxTest(Program& program, std::string_view text, SourceKind kind, std::string_view name,
                         SourceOrigin origin, std::string_view page) {
  const CompileResult r = Compile(program, text, kind, name);
  if (kind == SourceKind::kTemplate) {
    program.functions().Remove(name);
    if (origin == SourceOrigin::kTemplate && r.ok() && text.find('{') == std::string_view::npos) {
      lang::ShowMessage(kCompilerTitle, lang::kIconInformation, "ErrTagLastErr",
                        {Cp1252Text(page), Cp1252Text(name),
                         Cp1252Text(lang::GetText("Msg", "MsgSyntaxcheckNotNecessary"))});
      return r;
    }
  }
  ShowCompileResult(origin, r, name, page);
  return r;
}

}  // namespace velmora::script
