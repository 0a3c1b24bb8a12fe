// Where the program and the user's files live: the program directory (which
// holds profiles/, languages/, decopool/ and metadata.def), the folder of the
// executable and the per-user folders of the XDG base directory rules.
#pragma once

#include <filesystem>

namespace velmora {

// The directory that holds the running executable.
std::filesystem::path ExecutableDirectory();

// The program directory: the folder that holds the shipped data. In the
// build tree (and in a tree unpacked anywhere) that is the executable's own
// folder; in an installed tree (bin/velmora) it is ../share/velmora beside
// it. Nothing is ever written here: it may be read-only.
std::filesystem::path ProgramDirectory();

// The program directory for an executable in `executable_directory`: the
// folder itself when it holds the data, else ../share/velmora when that
// does, else the folder itself.
std::filesystem::path DataDirectoryBeside(const std::filesystem::path& executable_directory);

// Overrides ProgramDirectory() for the rest of the process (tests, tools that
// run from another folder). An empty path restores the default.
void SetProgramDirectory(const std::filesystem::path& directory);

// $XDG_CONFIG_HOME/velmora, default ~/.config/velmora. Not created here.
std::filesystem::path UserConfigDirectory();

// $XDG_DATA_HOME/velmora, default ~/.local/share/velmora. Not created here.
std::filesystem::path UserDataDirectory();

// $XDG_STATE_HOME/velmora, default ~/.local/state/velmora: the default log.
// Not created here.
std::filesystem::path UserStateDirectory();

// $XDG_DATA_HOME, default ~/.local/share (the trash lives below it).
std::filesystem::path XdgDataHome();

}  // namespace velmora
