// Where the program and the user's files live: the folder of the executable
// (which holds profiles/, languages/, decopool/ and metadata.def) and the
// per-user configuration and data folders of the XDG base directory rules.
#pragma once

#include <filesystem>

namespace velmora {

// The directory that holds the running executable.
std::filesystem::path ProgramDirectory();

// Overrides ProgramDirectory() for the rest of the process (tests, tools that
// run from another folder). An empty path restores the default.
void SetProgramDirectory(const std::filesystem::path& directory);

// $XDG_CONFIG_HOME/velmora, default ~/.config/velmora. Not created here.
std::filesystem::path UserConfigDirectory();

// $XDG_DATA_HOME/velmora, default ~/.local/share/velmora. Not created here.
std::filesystem::path UserDataDirectory();

// $XDG_DATA_HOME, default ~/.local/share (the trash lives below it).
std::filesystem::path XdgDataHome();

}  // namespace velmora
