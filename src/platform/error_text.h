// A system error as a message shows it, in Windows-1252.
#pragma once

#include <system_error>

#include "platform/cp1252_text.h"

namespace velmora {

// The system's reason ("No space left on device"), or empty text when it
// cannot be shown in Windows-1252.
Cp1252Text ErrorReason(const std::error_code& error);

// The error number with the reason in brackets: "28 (No space left on device)".
Cp1252Text ErrorNumberWithReason(const std::error_code& error);

}  // namespace velmora
