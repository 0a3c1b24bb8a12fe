// Every text the user sees is looked up by section and key in the current
// language; messages are formatted with %1.. placeholders and %n line breaks
// and shown through one facility, which a headless run writes to standard
// error and the log.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::lang {

// Message box styles: buttons plus icon, as the desktop message box knows them.
enum MessageStyle : int {
  kButtonsOk = 0,
  kButtonsOkCancel = 1,
  kButtonsYesNo = 4,
  kIconStop = 16,
  kIconQuestion = 32,
  kIconExclamation = 48,
  kIconInformation = 64,
};

// Buttons a message can return.
enum MessageResult : int { kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

using MessageParameters = std::vector<std::string>;

// The program's title, the caption of most messages.
inline constexpr std::string_view kApplicationTitle = "Velmora";

// Replaces "%1" upward by the parameters (in ascending order, every
// occurrence), then every "%n" by CR LF.
std::string FormatMessage(std::string_view text, const MessageParameters& parameters);

// Looks up `key` in section "Msg" of the current language, formats it and shows it.
int ShowMessage(std::string_view title, int style, std::string_view key,
                const MessageParameters& parameters = {});

// The same with a literal text instead of a key.
int ShowMessageText(std::string_view title, int style, std::string_view text,
                    const MessageParameters& parameters = {});

// The text of section/key in the current language, or "?key?" when missing.
std::string GetText(std::string_view section, std::string_view key);

// A shown message as the facility hands it to its observers.
struct ShownMessage {
  std::string title;
  int style = 0;
  std::string key;   // empty for ShowMessageText
  std::string text;  // formatted, Windows-1252, CR LF line breaks
  int result = 0;    // the button the message returned
};

// Lets tests and the batch driver see every message that is shown. Returns
// the previous observer; pass an empty function to remove it.
using MessageObserver = std::function<void(const ShownMessage&)>;
MessageObserver SetMessageObserver(MessageObserver observer);

}  // namespace velmora::lang
