// Decoration files: the navigation pictures and other files beside the
// pages, copied from a set of the decoration pool or a folder of the user's.
#pragma once

#include <filesystem>

#include "html/write_check.h"

namespace velmora::html {

// Copies the plain files of `source` (no subfolders, no hidden files) into
// `target`, creating it. With `copy_ever` every file is replaced; otherwise
// only files missing in the target are copied. Each file is written under a
// temporary name and put in place when complete. False after the message
// "ErrDecoCopy" (naming the file and the reason) when a file system error
// interrupted the copy, or after "ErrOutputRefused" when `may_write` refused
// a target file; files already copied stay.
bool CopyDecorationFiles(const std::filesystem::path& source, const std::filesystem::path& target, bool copy_ever,
                         const WriteCheck& may_write = {});

}  // namespace velmora::html
