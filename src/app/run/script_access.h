// What the scripts of a run may touch. A profile's filter, modules and
// templates are code from whoever wrote the profile, so by default they
// read only below the base folder, the clone folder, the program's data and
// the user's Velmora data folder, and write only below the clone folder.
// Only the user widens that: in the user settings store (section
// "Administration") or with /ScriptAccess=full for one batch run.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/run/output_guard.h"
#include "script/file_access.h"

namespace velmora::app {

// "restricted" (the default) or "full".
inline constexpr std::string_view kScriptAccessKey = "scriptaccess";
// Further folders, separated by ";": readable, or readable and writable.
inline constexpr std::string_view kScriptReadFoldersKey = "scriptreadfolders";
inline constexpr std::string_view kScriptWriteFoldersKey = "scriptwritefolders";
// ODBC data source names `dbread` may use, separated by ";".
inline constexpr std::string_view kScriptDataSourcesKey = "scriptdatasources";

// The policy for a run over `base_dir` whose outputs go below `clone_dir`
// (the base folder itself when clones are off). `command_line` is the
// /ScriptAccess value ("full", "restricted" or empty for the stored choice).
script::FileAccess RunScriptAccess(const std::filesystem::path& base_dir, const std::filesystem::path& clone_dir,
                                   std::string_view command_line);

// No script may replace a photo, whatever the policy allows. While the
// folders are scanned (the image filter runs then) the run's folders are not
// known yet, so every file named like a photo is protected; once they are,
// exactly the photos of the run.
void ProtectPhotoNames(script::FileAccess& access, std::vector<std::string> image_patterns);
void ProtectRunPhotos(script::FileAccess& access, const OutputGuard& guard);

// One log line that names what the policy allows.
void LogScriptAccess(const script::FileAccess& access);

}  // namespace velmora::app
