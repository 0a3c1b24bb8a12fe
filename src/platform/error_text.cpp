// System errors in messages.
#include "platform/error_text.h"

namespace velmora {

Cp1252Text ErrorReason(const std::error_code& error) {
  return Cp1252Text::FromUtf8(error.message()).value_or(Cp1252Text());
}

Cp1252Text ErrorNumberWithReason(const std::error_code& error) {
  return Cp1252Text::Number(error.value()) + Cp1252Text::Ascii(" (") + ErrorReason(error) + Cp1252Text::Ascii(")");
}

}  // namespace velmora
