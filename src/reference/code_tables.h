// The program's own tables, as the reference pages list them: every setting
// of the catalogue, every built-in function, every context variable, the
// template snippets of each page kind and every message text.
#pragma once

#include <string>
#include <vector>

namespace velmora::reference {

struct SettingRow {
  int slot = 0;
  std::string key;
  std::string default_value;  // UTF-8
};

struct SnippetRow {
  std::string page_kind;  // "index", "frame", "thumbnail", "image"
  std::string key;
  std::string label;  // the English label of the options dialog, UTF-8
  std::string default_value;
};

struct MessageRow {
  std::string section;
  std::string key;
  std::string german;   // UTF-8
  std::string english;  // UTF-8; empty when the English file lacks the key
};

std::vector<SettingRow> CatalogueSettings();
std::vector<std::string> BuiltinFunctionNames();
std::vector<std::string> ContextVariableNames();
// The label texts come from the English language file in `program_directory`.
std::vector<SnippetRow> TemplateSnippets(const std::string& english_file);
std::vector<MessageRow> MessageTexts(const std::string& english_file);

// The pages of the options dialog that settings name in their "page" field:
// the key of the page's name in the language section "Optionen"
// ("Options..."), in the dialog's order, with its English name.
struct OptionPage {
  std::string key;
  std::string name;
};
std::vector<OptionPage> OptionPages(const std::string& english_file);

// The keys of the clone list's items as a profile stores them, in save
// order, with the value a new item starts with.
struct CloneItemRow {
  std::string item;  // "Text stamp", "Image stamp", "Border", "Image effect"
  std::string key;
  std::string default_value;
};
std::vector<CloneItemRow> CloneListKeys();

// The image effects (IMAGE_EFFECT_TYPE) with their English names and the
// parameters a new effect of the kind starts with.
struct EffectRow {
  int code = 0;
  std::string name;
  std::string parameters;  // "L1=50, L2=7" (integer L, floating D), "" for none
};
std::vector<EffectRow> ImageEffects(const std::string& english_file);

}  // namespace velmora::reference
