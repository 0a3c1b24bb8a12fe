// velmora-rls: runs RiloScript files from the command line.
//   velmora-rls run FILE [FUNCTION]   compile FILE as a code module, run FUNCTION (default main)
//   velmora-rls template FILE         compile FILE as a template snippet and write its output
//   velmora-rls check FILE...         compile each file and report: files named *.rlt, *.htm or
//                                     *.html as template snippets, all others as code modules
// Files are Windows-1252 text; output is written as the script produces it, and
// the tool's own texts (errors, file names) in the terminal's UTF-8.
// The user runs a script file of their own here, so its built-ins keep the
// program's full file access (unlike a profile's scripts in a batch run).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "script/compiler.h"
#include "script/machine.h"
#include "script/sources.h"
#include "script/symbols.h"

namespace {

using namespace velmora::script;

constexpr const char* kUsage =
    "usage: velmora-rls run FILE [FUNCTION]\n"
    "       velmora-rls template FILE\n"
    "       velmora-rls check FILE...   (*.rlt, *.htm, *.html are checked as templates)\n";

// The terminal speaks UTF-8, scripts and messages Windows-1252: names from the
// command line cross over here, and a name that Windows-1252 cannot hold stays
// as it is (it then matches no function).
std::string Inner(const std::string& utf8) { return velmora::Utf8ToCp1252(utf8).value_or(utf8); }

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "velmora-rls: cannot read %s\n", path.c_str());
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int Execute(Program& program, const std::string& function) {
  Machine machine(program);
  FileSink out(stdout);
  const RunStatus status = machine.Run(Inner(function), out);
  std::fflush(stdout);
  switch (status) {
    case RunStatus::kOk: return 0;
    case RunStatus::kNotFound:
      std::fprintf(stderr, "velmora-rls: no function %s\n", function.c_str());
      return 1;
    case RunStatus::kHasParameters:
      std::fprintf(stderr, "velmora-rls: %s takes parameters and cannot be run directly\n", function.c_str());
      return 1;
    default:
      std::fprintf(stderr, "velmora-rls: stopped: %s\n", velmora::Cp1252ToUtf8(program.errs_last().value.text()).c_str());
      return 2;
  }
}

int Run(const std::string& path, const std::string& function) {
  const auto source = ReadFile(path);
  if (!source) return 1;
  Program program;
  const std::string name = Inner(path);
  const ModuleSource module{name, *source};
  if (!CompileModules(program, {&module, 1}, SourceOrigin::kScriptFileModule).ok) return 1;
  if (!CheckMissingFunctions(program)) return 1;
  return Execute(program, function);
}

int Template(const std::string& path) {
  const auto source = ReadFile(path);
  if (!source) return 1;
  Program program;
  if (!CompileTemplate(program, *source, "_template", SourceOrigin::kTemplate, Inner(path))) return 1;
  if (!CheckMissingFunctions(program)) return 1;
  return Execute(program, "_template");
}

bool IsTemplateFile(const std::string& path) {
  for (const char* extension : {".rlt", ".htm", ".html"}) {
    if (path.ends_with(extension)) return true;
  }
  return false;
}

int Check(const std::vector<std::string>& paths) {
  int failures = 0;
  for (const std::string& path : paths) {
    const auto source = ReadFile(path);
    if (!source) {
      ++failures;
      continue;
    }
    Program program;
    const std::string name = Inner(path);
    const ModuleSource module{name, *source};
    const bool ok = IsTemplateFile(path)
                        ? CompileTemplate(program, *source, "_template", SourceOrigin::kTemplate, name)
                        : CompileModules(program, {&module, 1}, SourceOrigin::kScriptFileModule).ok;
    if (ok) {
      std::printf("%s: ok\n", path.c_str());
    } else {
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "run" && args.size() <= 3) return Run(args[1], args.size() == 3 ? args[2] : "main");
  if (args.size() == 2 && args[0] == "template") return Template(args[1]);
  if (args.size() >= 2 && args[0] == "check") return Check({args.begin() + 1, args.end()});
  std::fputs(kUsage, args.empty() || args[0] == "-h" || args[0] == "--help" ? stdout : stderr);
  return args.empty() || args[0] == "-h" || args[0] == "--help" ? 0 : 2;
}
