// The value checks of the border, image stamp and text stamp option pages: a number
// typed into a field is refused with its message, which names the lowest and
// the highest value allowed (%1, %2).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "image/clone_list/border.h"
#include "image/clone_list/image_stamp.h"
#include "image/clone_list/text_stamp.h"
#include "lang/message_key.h"
#include "lang/messages.h"

namespace velmora::image {

struct OptionValueRange {
  lang::MessageKey key;
  std::int64_t lowest;
  std::int64_t highest;
};

inline constexpr OptionValueRange kBorderWidthRange{"ErrBorderWidth", 1, 9999};
inline constexpr OptionValueRange kBorderOffsetRange{"ErrBorderOffset", 0, 9999};
inline constexpr OptionValueRange kStampOffsetRange{"ErrStampOffset", -9999, 9999};
inline constexpr OptionValueRange kStampHeightRange{"ErrStampHeight", 1, 999};
// The text stamp's frame width is refused with the height's message.
inline constexpr OptionValueRange kStampFrameWidthRange{"ErrStampHeight", 1, 9999};

// A refused value: the message to show and its parameters.
struct OptionValueFailure {
  lang::MessageKey key;
  lang::MessageParameters parameters;  // lowest, highest
};

// Nothing when `text` (blanks around it allowed) is a whole number within
// `range`; else the failure. Fractions, signs alone, digits beyond 64 bits
// and empty fields are refused.
std::optional<OptionValueFailure> CheckOptionValue(std::string_view text, const OptionValueRange& range);
std::optional<OptionValueFailure> CheckOptionValue(std::int64_t value, const OptionValueRange& range);

// The first refused field of a border (width, then the offsets left, right,
// top, bottom), of an image stamp (offset x, then y) or of a text stamp
// (height, the frame width when it has a frame, offset x, then y).
std::optional<OptionValueFailure> CheckBorderValues(const CBorder& border);
std::optional<OptionValueFailure> CheckImageStampValues(const CImageStamp& stamp);
std::optional<OptionValueFailure> CheckTextStampValues(const CTextStamp& stamp);

}  // namespace velmora::image
