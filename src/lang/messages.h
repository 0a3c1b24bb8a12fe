// Every text the user sees is looked up by section and key in the current
// language; messages are formatted with %1.. placeholders and %n line breaks
// and shown through one facility, which a headless run writes to standard
// error and the log.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/message_key.h"
#include "platform/cp1252_text.h"

namespace velmora::lang {

// Message box styles: buttons plus icon, as the desktop message box knows them.
enum MessageStyle : int {
  kButtonsOk = 0,
  kButtonsOkCancel = 1,
  kButtonsYesNoCancel = 3,
  kButtonsYesNo = 4,
  kIconStop = 16,
  kIconQuestion = 32,
  kIconExclamation = 48,
  kIconInformation = 64,
  // Which button is the default: the first unless one of these is given. A
  // headless run answers every question with its default button, so a caller
  // whose first button is the risky answer names the safe one here.
  kDefaultButton2 = 256,
  kDefaultButton3 = 512,
};

// Buttons a message can return.
enum MessageResult : int { kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

// Parameters are Windows-1252 like the texts they are placed in; a name
// from the file system or a system reason is converted where it is passed.
using MessageParameters = std::vector<Cp1252Text>;

// The program's title, the caption of most messages.
inline constexpr std::string_view kApplicationTitle = "Velmora";

// Replaces "%1" upward by the parameters (in ascending order, every
// occurrence), then every "%n" by CR LF.
std::string FormatMessage(std::string_view text, const MessageParameters& parameters);

// Looks up `key` in section "Msg" of the current language, formats it and shows it.
int ShowMessage(std::string_view title, int style, MessageKey key,
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

// A window shows messages itself: the presenter receives the title, the
// style and the formatted text (Windows-1252, CR LF line breaks) and returns
// the button pressed. It is called on whichever thread shows the message.
// Returns the previous presenter; an empty one restores the headless way.
using MessagePresenter = std::function<int(std::string_view title, int style, std::string_view text)>;
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// Without a window a message goes to standard error (and the log, when one
// is open) and a question takes its default button. With asking switched on
// and standard input and error on a terminal, the question is asked there.
void SetAskOnTerminal(bool ask);

// While batch mode is active, any message shown is remembered: the desktop
// program would stay open after such a run for the user to read it, so the
// headless program reports it in its exit status instead.
void SetBatchModeActive(bool active);
bool BatchModeActive();
bool MessageShownDuringBatch();
void ResetMessageShownDuringBatch();

}  // namespace velmora::lang
