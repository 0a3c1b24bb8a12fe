// Never part of a binary: CTest compiles this file once as it is and once
// with each misspelling switched on, and expects only the first to build.
#include "lang/message_key.h"
#include "settings/settings_table.h"

namespace velmora {

bool ReadsOneSetting(const settings::SettingsTable& settings) {
#ifdef VELMORA_MISSPELT_SETTING
  return settings.Flag("GENERATE_HTLM");
#else
  return settings.Flag("GENERATE_HTML");
#endif
}

std::string_view NamesOneMessage() {
#ifdef VELMORA_MISSPELT_MESSAGE
  constexpr lang::MessageKey key = "ErrNothingToDoo";
#else
  constexpr lang::MessageKey key = "ErrNothingToDo";
#endif
  return key.name();
}

}  // namespace velmora
