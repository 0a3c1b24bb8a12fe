// How the option pages show a message or ask a question. The dialog shows
// message boxes; tests hand in a presenter that records what would have
// been shown and answers as the test says, so no box ever blocks a test.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lang/message_key.h"
#include "lang/messages.h"

class QWidget;

namespace velmora::ui {

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;

  // Shows the text of message `key` of section "Msg" in the current
  // language, formatted with the parameters; returns the button pressed
  // (lang::MessageResult).
  int Show(QWidget* parent, std::string_view title, int style, lang::MessageKey key,
           const lang::MessageParameters& parameters = {});

  // A name for a new user profile (saving a system profile); nothing on cancel.
  virtual std::optional<QString> AskProfileName(QWidget* parent, const QString& suggestion) = 0;

 protected:
  // `text` is formatted already (Windows-1252, CR LF line breaks).
  virtual int Present(QWidget* parent, std::string_view title, int style, std::string_view key,
                      const std::string& text) = 0;
};

// Qt's message boxes and input dialog.
class BoxMessagePresenter final : public MessagePresenter {
 public:
  std::optional<QString> AskProfileName(QWidget* parent, const QString& suggestion) override;

 protected:
  int Present(QWidget* parent, std::string_view title, int style, std::string_view key,
              const std::string& text) override;
};

// The program-wide presenter the dialogs use unless they are given one.
MessagePresenter& DefaultMessagePresenter();

// Windows-1252 text of a profile to a QString and back, as the editors need
// it: line breaks stay as stored (a template or module edited and saved keeps
// its CR LF), and a character Windows-1252 lacks is spelled out instead of
// refusing the text.
QString FromCp1252Verbatim(std::string_view text);
std::string ToCp1252Spelled(const QString& text);

}  // namespace velmora::ui
