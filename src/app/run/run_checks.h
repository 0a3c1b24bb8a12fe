// The checks a run must pass before anything is written, in their fixed
// order, each failure shown as one message.
#pragma once

#include <filesystem>
#include <string>

#include "app/run/run_state.h"
#include "image/rename/rename_name.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

// The clone directory the settings name: "CLONE_PATH", with the base
// directory's own name appended when "CLONE_APPEND_BASENAME" is 1.
Cp1252Text CloneDirOf(const settings::SettingsTable& settings, const Cp1252Text& base_dir);

// The rename settings of clones ("CLONE") or thumbnails ("THUMB").
image::RenameSettings ReadRenameSettings(const settings::SettingsTable& settings, std::string_view prefix);

// "DECO_SOURCE" as a directory: an absolute path as it is, else a set of the
// decoration pool beside the program.
std::filesystem::path ResolveDecoSource(const std::string& deco_source);

// Clone settings (directory, rename mask, stamp and border pictures) and
// HTML settings (decoration source, something to write). Sets
// `state.CloneDir`; creates the clone directory. False after a message.
bool CheckRunSettings(const settings::SettingsTable& settings, RunState& state);

}  // namespace velmora::app
