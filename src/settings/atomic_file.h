// Whole-file reads and atomic replacement of a file: a temporary file in the
// same folder is written, flushed to disk and renamed over the target, so a
// failed save never leaves a truncated profile or settings store behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora::settings {

// Replaces (or creates) `path` with `bytes`. On failure the old file is untouched,
// no temporary file is left and the error is returned; `create_failed` (when
// given) tells whether the file could not even be created.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    bool* create_failed = nullptr);

// Reads the whole file into `bytes`.
std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace velmora::settings
