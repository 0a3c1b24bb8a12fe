// The checks a run makes on rename settings before it starts. They return the
// message key of the first failure and show nothing, so the caller decides how
// and whether to report it.
#pragma once

#include <optional>
#include <string_view>

#include "lang/message_key.h"

#include "image/rename/rename_name.h"

namespace velmora::image {

// True for a name the file systems of Windows and Linux both accept and that
// stays readable in a web gallery: not empty, shorter than 256 characters, no
// blank at either end, not beginning with "$", none of  " / \ : | < > * ?  and
// no control characters.
bool IsValidRenamedFileName(std::string_view name);

// In this order: "ErrRenameClonesMaskMissing" for an empty mask;
// "ErrRenameClonesNotUnique" when two files of a directory would get the same
// name; "ErrRenameClonesNameInvalid" when the name built is no valid file name;
// "ErrRenameClonesFindReplaceCount" when the find and replace lists differ in
// their number of entries. Nothing when the settings are usable.
std::optional<lang::MessageKey> CheckRenameSettings(const RenameSettings& settings);

}  // namespace velmora::image
