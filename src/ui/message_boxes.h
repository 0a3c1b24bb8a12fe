// The message facility as message boxes: the style's buttons and icon, the
// result the button stands for. A message raised on the run's thread is
// shown by the window's thread while the run waits for the answer.
#pragma once

#include <string_view>

class QWidget;

namespace velmora::ui {

// Shows one message box over `parent` and returns the message result
// (lang::kResultOk, kResultYes, ...). Call on the window's thread.
int ShowMessageBox(QWidget* parent, std::string_view title, int style, std::string_view text);

// Routes every message of the program to message boxes over `parent` until
// the returned guard ends (then the headless way comes back). While the
// guard is being destroyed a waiting run gets the default answer.
class MessageBoxes {
 public:
  explicit MessageBoxes(QWidget* parent);
  ~MessageBoxes();
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;
};

}  // namespace velmora::ui
