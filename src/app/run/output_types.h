// The file types a run writes: converted clones ("CLONE_CONVERT") in the
// type "CLONE_FORMAT" names, thumbnails in the type "THUMB_FORMAT" names.
// JPEG unless a profile or the command line asks for WebP or AVIF; the
// pages link whatever was written, through the outputs' extensions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "image/codecs/codec_registry.h"
#include "lang/message_key.h"
#include "settings/setting_key.h"

namespace velmora::settings {
class SettingsTable;
}

namespace velmora::app {

struct OutputType {
  int type = image::kImageTypeJpg;
  std::string extension = "jpg";  // of the files written: "jpg", "webp", "avif"
};

// The type a "CLONE_FORMAT" or "THUMB_FORMAT" value names, in any letter
// case and with blanks around it ("JPG", "JPEG", "WEBP", "AVIF"); nothing
// for any other value.
std::optional<OutputType> OutputTypeNamed(std::string_view value);

// The setting's type; JPEG when the value names none (the run checks have
// refused such a run before it starts).
OutputType OutputTypeOf(const settings::SettingsTable& settings, settings::SettingKey key);

// "ErrOutputFormatInvalid" when the clones are converted, or thumbnails
// made, in a type the setting does not name.
std::optional<lang::MessageKey> CheckOutputTypes(const settings::SettingsTable& settings);

}  // namespace velmora::app
