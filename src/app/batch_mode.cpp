// Applying the batch command line.
#include "app/batch_mode.h"

#include <charconv>
#include <cstdio>

#include "platform/control_characters.h"
#include "platform/cp1252_text.h"
#include "platform/log.h"
#include "lang/keyed_collection.h"
#include "lang/messages.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"

namespace velmora::app {
namespace {

using lang::kApplicationTitle;

void ShowBatchMessage(lang::MessageKey key, const lang::MessageParameters& parameters = {}) {
  lang::ShowMessage(kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, key, parameters);
}

void ApplyProfile(CommandArguments& arguments) {
  const auto name = arguments.ItemParameter("Profile");
  if (!name) {
    ShowBatchMessage("ErrBatchProfileMissing");
    settings::RefreshProfileList();
    if (!settings::CurrentProfile().IsDefault()) settings::SelectProfile(nullptr);
    return;
  }
  // A profile file of that name (system or user) is found whatever the
  // language; a name that no file has selects the default profile when it
  // is the default profile's name in any language.
  settings::RebuildProfileList();
  const settings::RLProfil* found = settings::FindProfile(*name);
  const bool is_default = found != nullptr ? found->IsDefault() : settings::IsDefaultProfileName(*name);
  settings::WriteUserSetting("LastSession", "profile", is_default ? std::string() : *name);
  settings::RefreshProfileList();
  if (!is_default && found == nullptr) ShowBatchMessage("ErrBatchProfileCollection", {Cp1252Text(*name)});
  arguments.Remove("Profile");
}

void ApplyLevel(CommandArguments& arguments, StartupState& state) {
  state.DirLevel = 0;
  const auto level = arguments.ItemParameter("Level");
  if (!level) {
    ShowBatchMessage("ErrBatchLevelMissing");
  } else if (!ParseDirLevel(*level, state.DirLevel)) {
    state.DirLevel = 0;
    ShowBatchMessage("ErrBatchLevel", {Cp1252Text(*level)});
  }
  arguments.Remove("Level");
}

// Widening what profile scripts may touch is the user's decision for one
// run; it is never stored and never comes from a profile.
void ApplyScriptAccess(CommandArguments& arguments, StartupState& state) {
  state.ScriptAccess.clear();
  const auto access = arguments.ItemParameter("ScriptAccess");
  arguments.Remove("ScriptAccess");
  if (!access) return;
  const std::string value = lang::FoldCase(*access);
  if (value == "full" || value == "restricted") state.ScriptAccess = value;
  else ShowBatchMessage("ErrBatchScriptAccess", {Cp1252Text(*access)});
}

// A key that names no setting is ignored, as the command line allows; the log
// and the terminal still say so, since it is most often a typing error.
void ApplySettingOverrides(CommandArguments& arguments) {
  for (std::size_t i = 1; i <= arguments.Count(); ++i) {
    const std::string key = arguments.ItemKey(i);
    if (!settings::SetStoredSettingByName(key, arguments.ItemParameter(key).value_or(""))) {
      WriteLog("Batch setting " + key + " unknown, ignored");
      std::fprintf(stderr, "velmora: /%s names no setting and is ignored\n",
                   Cp1252Text(EscapeControlCharacters(key)).ToUtf8().c_str());
    }
  }
  settings::CopyStoredToWorking();
}

}  // namespace

bool ParseDirLevel(std::string_view text, std::int32_t& level) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 2) return false;
  level = value;
  return true;
}

bool IsControlImageOn(std::string_view text) {
  return text == "1" || text == "T" || text == "W" || text == "TRUE" || text == "WAHR";
}

void ApplyBatchArguments(CommandArguments& arguments, StartupState& state) {
  ApplyProfile(arguments);

  state.StartPath.clear();
  if (auto base = arguments.ItemParameter("Basedir")) state.StartPath = *base;
  else ShowBatchMessage("ErrBatchBasedirMissing");
  arguments.Remove("Basedir");

  ApplyLevel(arguments, state);

  state.ControlImage = IsControlImageOn(arguments.ItemParameter("Controlimage").value_or(""));
  arguments.Remove("Controlimage");

  ApplyScriptAccess(arguments, state);
  ApplySettingOverrides(arguments);
  arguments = CommandArguments();
}

}  // namespace velmora::app
