// Whole-file reads and atomic replacement of a file: the bytes go to a hidden
// temporary twin in the same folder (see temporary_files.h), which is renamed
// over the target when complete, so a failed or interrupted write never leaves
// a truncated profile, settings store, clone or script output behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

enum class Durability {
  kRenameOnly,  // outputs that a later run can remake: no flush to disk
  kSynced,      // the user's own settings: flushed to disk before the rename
};

// Replaces (or creates) `path` with `bytes`; a replaced file keeps its
// permissions. On failure the old file is untouched, no temporary file is
// left and the error is returned; `create_failed` (when given) tells whether
// the temporary file could not even be created.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    Durability durability, bool* create_failed = nullptr);

// Reads the whole file into `bytes`.
std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace velmora
