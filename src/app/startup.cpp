// Program start-up: command line, log and start-up report, languages, the
// user settings store and the last session, then batch mode.
#include "app/startup.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/batch_mode.h"
#include "app/batch_run.h"
#include "app/command_arguments.h"
#include "platform/log.h"
#include "platform/native_path.h"
#include "app/program_call.h"
#include "app/component_versions.h"
#include "app/startup_report.h"
#include "app/startup_state.h"
#include "app/version.h"
#include "lang/date_pattern.h"
#include "lang/language_registry.h"
#include "lang/locale_language.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora {
namespace {

using lang::kApplicationTitle;

// The main window's name, which prefixes the lines of its load step in the log.
constexpr std::string_view kMainWindow = "Startdialog";

// Shown before any language is chosen, so taken from the built-in table;
// the texts say it in both languages.
void ShowStartupError(std::string_view key, const Cp1252Text& parameter) {
  lang::ShowMessageText(kApplicationTitle, lang::kIconStop, lang::BuiltinLanguage().GetText("Msg", key), {parameter});
}

// The language chosen last time, else the locale's; `remember` stores the
// choice again and relabels the template fields (not wanted when only the
// help is printed). A language taken from the locale is not stored: only the
// user's own choice is, so that the desktop's language keeps counting until
// the user picks one.
void SelectStartLanguage(bool remember) {
  lang::LoadLanguageFiles();
  const std::string stored = settings::ReadUserSetting("Administration", "language");
  const std::string id = lang::StartLanguageID([&stored] { return stored; }, lang::LocaleLanguageID());
  if (!remember) {
    lang::SelectLanguage(id);
    return;
  }
  lang::SelectLanguage(id, [&stored](const std::string& chosen) {
    if (!stored.empty()) settings::WriteUserSetting("Administration", "language", chosen);
    settings::ApplyTemplateLabels(settings::StoredSettings());
    settings::ApplyTemplateLabels(settings::WorkingSettings());
  });
}

void PrintUsage(std::FILE* stream) {
  std::string usage = lang::FormatMessage(lang::GetText("Kommandozeile", "Usage"), {});
  for (auto pos = usage.find("\r\n"); pos != std::string::npos; pos = usage.find("\r\n", pos)) usage.erase(pos, 1);
  std::fprintf(stream, "%s\n", Cp1252Text(std::move(usage)).ToUtf8().c_str());
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return lang::ApplyDatePattern(lang::FormatDateTime(), local);
}

// What the main window's load step does without a window: remember this
// start in the user settings store, prepare the user profile directory, then
// take the batch arguments or restore the last session.
void LoadMainWindow(app::CommandArguments& arguments, app::StartupState& state) {
  const std::string window(kMainWindow);
  WriteLog(window + " LOAD START");
  settings::WriteUserSetting("Administration", "version",
                             std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor));
  const std::string now = Now();
  for (const char* section : {"Administration", "LastSession", "ProfilesLastData"}) {
    settings::WriteUserSetting(section, "lastuseddatetime", now);
  }
  settings::InitUserProfileDirectory();
  if (state.BatchMode) {
    app::ApplyBatchArguments(arguments, state);
  } else {
    WriteLog(window + " LOAD Inquire Profiles");
    settings::RefreshProfileList();
    state.DirLevel = static_cast<std::int32_t>(settings::WorkingSettings().Int("DIR_LEVEL"));
  }
  WriteLog(window + " LOAD END");
}

}  // namespace

int RunProgram(int argc, char** argv, const InteractiveProgram& interactive) {
  const app::ProgramCall call = app::ReadProgramCall(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  if (call.version) {
    std::printf("velmora %s\n", app::ShortVersion(std::string(kProgramVersionText)).c_str());
    // The libraries as loaded: what a bug report needs to know.
    for (const app::ComponentVersion& component : app::RuntimeComponents()) {
      const std::string file = component.file.substr(component.file.rfind('/') + 1);
      std::printf("  %s: %s\n", file.c_str(), component.version.c_str());
    }
    return kExitOk;
  }
  if (call.help) {
    SelectStartLanguage(false);
    PrintUsage(stdout);
    return kExitOk;
  }
  lang::SetAskOnTerminal(call.ask);
  lang::ResetMessageShownDuringBatch();

  app::CommandArguments arguments;
  arguments.SetCommandLine(call.command_line);
  if (!call.unconvertible.empty()) {
    // The argument cannot be Windows-1252, so it is named in ASCII.
    std::string shown;
    for (unsigned char c : call.unconvertible) shown += c < 0x80 ? static_cast<char>(c) : '?';
    ShowStartupError("ErrCommandLineNotCp1252", Cp1252Text(std::move(shown)));
    return kExitCommandLineError;
  }
  if (arguments.Error()) {
    ShowStartupError("ErrCommandLine", Cp1252Text(arguments.CommandLine()));
    return kExitCommandLineError;
  }

  if (auto log_name = arguments.ItemParameter("Logfile")) {
    arguments.Remove("Logfile");
    const Cp1252Text log_text(*log_name);
    if (!ProgramLog().Open(log_text.ToUtf8())) {
      ShowStartupError("ErrLogFileCreate",
                       FromNativePath(LogClass::ResolveFileName(log_text.ToUtf8())).value_or(log_text));
      return kExitCommandLineError;
    }
    WriteLog("Initialization START");
  }

  app::StartupState& state = app::ProgramStartupState();
  state.BatchMode = arguments.Count() > 0;
  lang::SetBatchModeActive(state.BatchMode);
  app::WriteStartupReport();
  {
    // Start-up stores the language, the version, the times of this start and
    // the session's profile: one write of the store for all of them.
    const settings::UserSettingsWriteScope one_write;
    SelectStartLanguage(true);
    LoadMainWindow(arguments, state);
  }
  WriteLog("Initialization END");

  if (!state.BatchMode && interactive) return interactive(state);
  if (!state.BatchMode) {
    // Without a window there is nothing to do interactively.
    std::fprintf(stderr, "velmora: no batch arguments given; this program has no window.\n\n");
    PrintUsage(stderr);
    return kExitOk;
  }
  return app::RunBatch(state);
}

}  // namespace velmora
