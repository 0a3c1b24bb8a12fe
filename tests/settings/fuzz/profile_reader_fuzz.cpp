// Any bytes as a profile file and as a settings store: nothing may crash, and
// whatever is read must write back to text that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "settings/ini_document.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"

namespace {

void CheckProfile(std::string_view bytes) {
  using namespace velmora::settings;
  SettingsTable settings;
  velmora::image::CCloneEffekte clones;
  RLModule modules;
  if (ReadProfileText(bytes, settings, clones, modules)) return;
  const std::string written = WriteProfileText(settings, clones, modules);
  SettingsTable settings_again;
  velmora::image::CCloneEffekte clones_again;
  RLModule modules_again;
  if (ReadProfileText(written, settings_again, clones_again, modules_again)) std::abort();
  if (!(settings_again == settings) || !(modules_again == modules) || clones_again.Count() != clones.Count()) {
    std::abort();
  }
  if (WriteProfileText(settings_again, clones_again, modules_again) != written) std::abort();
}

void CheckStore(std::string_view bytes) {
  using velmora::settings::IniDocument;
  auto parsed = IniDocument::Parse(bytes);
  auto* document = std::get_if<IniDocument>(&parsed);
  if (document == nullptr) return;
  const std::string text = document->Serialize();
  auto again = IniDocument::Parse(text);
  auto* document_again = std::get_if<IniDocument>(&again);
  if (document_again == nullptr || document_again->Serialize() != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckProfile(bytes);
  CheckStore(bytes);
  return 0;
}
