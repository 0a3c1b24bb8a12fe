// Compiling and calling the scripts of a run.
#include "app/run/run_scripts.h"

#include <vector>

#include "platform/log.h"
#include "platform/native_path.h"
#include "lang/keyed_collection.h"
#include "script/modules.h"
#include "script/output_sink.h"
#include "script/sources.h"
#include "script/value_text.h"
#include "image/clone_list/clone_list.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

bool SameTextIgnoringCase(std::string_view a, std::string_view b) { return lang::FoldCase(a) == lang::FoldCase(b); }

}  // namespace

RunScripts::RunScripts() : machine_(std::make_unique<script::Machine>(program_)) {
  program_.file_access() = script::FileAccess::Restricted({}, {}, {});
  program_.SetImageHost(&image_host_);
}
RunScripts::~RunScripts() = default;

bool RunScripts::CompileModules() {
  machine_.reset();
  program_.Reset();
  machine_ = std::make_unique<script::Machine>(program_);
  context_.Build(program_);

  std::vector<script::ModuleSource> profile_modules;
  for (const settings::RLModul& module : settings::WorkingModules()) {
    profile_modules.push_back({module.name, module.source});
  }
  if (!script::CompileModules(program_, profile_modules, script::SourceOrigin::kProfileModule).ok) return false;

  const std::string& file = settings::WorkingSettings().Text("RILOSCRIPT_FILE");
  if (file.empty()) return true;
  // A script file that is missing or breaks off has been reported; the run
  // goes on with the modules read up to the faulty line, if any.
  script::RLModule file_modules;
  script::LoadScriptFile(ToNativePath(Cp1252Text(file)), file_modules);
  std::vector<script::ModuleSource> sources;
  for (const script::RLModul& module : file_modules.all()) sources.push_back({module.name, module.content});
  return script::CompileModules(program_, sources, script::SourceOrigin::kScriptFileModule).ok;
}

bool RunScripts::CompileOracle(std::string_view text, bool& active) {
  active = false;
  bool blank = true;
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') blank = false;
  }
  if (blank) return true;
  if (!script::CompileOracle(program_, text)) return false;
  if (!script::CheckMissingFunctions(program_)) return false;
  active = true;
  return true;
}

bool RunScripts::CompileStampTexts() {
  int position = 0;
  for (const image::CloneItem& item : settings::WorkingCloneList()) {
    ++position;
    if (item.Kind() != image::CloneItemKind::kTextStamp) continue;
    const auto& stamp = static_cast<const image::CTextStamp&>(item);
    const script::CompileResult result =
        script::Compile(program_, stamp.Text(), script::SourceKind::kTemplate, StampFunction(position));
    // The message names the stamp as the user labelled it, not the
    // function the run made of it.
    if (!result.ok()) {
      script::ShowCompileResult(script::SourceOrigin::kStampText, result, stamp.Description());
      return false;
    }
  }
  return true;
}

std::string RunScripts::StampFunction(int position) { return "_stamptext_" + std::to_string(position); }

std::string RunScripts::StampText(int position) {
  const std::string name = StampFunction(position);
  if (!Defines(name)) return {};
  script::StringSink sink;
  if (machine_->Run(name, sink) != script::RunStatus::kOk) WriteLog("RiloScript " + name + " ended early");
  return sink.text();
}

bool RunScripts::Defines(std::string_view name) const {
  const script::RLSFunktion* function = program_.functions().Find(name);
  return function != nullptr && function->state == script::FunctionState::kScript;
}

void RunScripts::CallEntry(std::string_view name) {
  if (!Defines(name)) return;
  script::DiscardSink sink;
  const script::RunStatus status = machine_->Run(name, sink);
  if (status != script::RunStatus::kOk) WriteLog("RiloScript " + std::string(name) + " ended early");
}

bool RunScripts::OracleTakes() {
  script::RLSKonstanteArray& constants = program_.constants();
  program_.return_value().value = *constants.SymbolCell(script::kSymFalse);
  script::DiscardSink sink;
  if (machine_->Run("_oracle", sink) != script::RunStatus::kOk) return false;
  script::NumberBuffer buffer_result, buffer_true;
  std::string storage_result, storage_true;
  const std::string_view result =
      script::ValueText(program_.return_value().value, constants, buffer_result, storage_result);
  const std::string_view yes =
      script::ValueText(*constants.SymbolCell(script::kSymTrue), constants, buffer_true, storage_true);
  return SameTextIgnoringCase(result, yes);
}

}  // namespace velmora::app
