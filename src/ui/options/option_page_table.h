// Which setting appears on which options page, and with which kind of
// control. The dialog builds every page from this one table, so a new
// setting needs one line here and nothing else.
#pragma once

#include <span>
#include <string_view>

namespace velmora::ui {

enum class ControlKind {
  kFlag,      // check box, "0" / "1"
  kNumber,    // whole number; checked against its range when the page is left
  kColour,    // colour value with a colour chooser
  kFolder,    // path with a folder chooser
  kFile,      // path with a file chooser
  kChoice,    // one of the coded values
  kBits,      // a set of bits, one check box each
  kText,      // one line of text
  kLongText,  // several lines of plain text (the profile comment)
  kScript,    // RiloScript text: template snippets and the image filter
  kReadOnly,  // shown, written by the program itself
};

// One coded value of a choice list (or one bit of a bit set) with its caption.
struct ChoiceItem {
  std::string_view value;
  std::string_view caption;
};

// The page that holds a special editor instead of (or beside) settings.
enum class PageExtra { kNone, kCloneList, kModules, kScriptFile, kRenameExamples, kProfile, kGeneral };

struct OptionEntry {
  std::string_view key;
  std::string_view caption;  // UTF-8; empty: the language's label or the key
  ControlKind kind = ControlKind::kText;
  std::span<const ChoiceItem> choices{};  // kChoice and kBits
  int lowest = 0;                          // kNumber without a run range
  int highest = 0;
};

struct OptionPage {
  std::string_view caption_key;  // language section "Optionen"
  std::span<const OptionEntry> entries;
  int template_kind = -1;        // a page kind whose template snippets follow the entries (html::PageKind)
  PageExtra extra = PageExtra::kNone;
};

// Every page in the order the dialog lists them.
std::span<const OptionPage> OptionPages();

}  // namespace velmora::ui
