// Reading the program's own tables for the reference pages.
#include "reference/code_tables.h"

#include <cstdio>

#include "app/run/context_variables.h"
#include "html/template_snippets.h"
#include "image/clone_list/clone_list.h"
#include "image/clone_list/effect_codes.h"
#include "lang/builtin_german.h"
#include "lang/language.h"
#include "platform/text_encoding.h"
#include "script/builtins/builtin.h"
#include "settings/settings_catalogue.h"

namespace velmora::reference {
namespace {

// The English texts, or an empty language when the file cannot be read
// (every English column then stays empty and the check names them).
const lang::RLLanguage* English(const std::string& english_file, lang::RLLanguages& list) {
  try {
    return &list.AddFile(english_file);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::string EnglishText(const lang::RLLanguage* english, std::string_view section, std::string_view key) {
  if (english == nullptr) return {};
  const std::string text = english->GetText(section, key);
  if (text == "?" + std::string(key) + "?") return {};
  return Cp1252ToUtf8(text);
}

}  // namespace

std::vector<SettingRow> CatalogueSettings() {
  std::vector<SettingRow> rows;
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    // The catalogue holds Windows-1252 bytes only where a default does;
    // every default is ASCII today, but the page is UTF-8.
    rows.push_back({definition.slot, std::string(definition.key), Cp1252ToUtf8(definition.default_value)});
  }
  return rows;
}

std::vector<std::string> BuiltinFunctionNames() {
  std::vector<std::string> names;
  for (const script::BuiltinEntry& entry : script::BuiltinTable()) names.emplace_back(entry.name);
  return names;
}

std::vector<std::string> ContextVariableNames() {
  std::vector<std::string> names;
  for (int i = 0; i < static_cast<int>(app::Ctx::kCount); ++i) {
    names.emplace_back(app::ContextVariableName(static_cast<app::Ctx>(i)));
  }
  return names;
}

std::vector<SnippetRow> TemplateSnippets(const std::string& english_file) {
  lang::RLLanguages list;
  const lang::RLLanguage* english = English(english_file, list);
  const std::pair<html::PageKind, const char*> kinds[] = {
      {html::PageKind::kIndex, "index"},
      {html::PageKind::kFrame, "frame"},
      {html::PageKind::kThumb, "thumbnail"},
      {html::PageKind::kImage, "image"},
  };
  std::vector<SnippetRow> rows;
  for (const auto& [kind, name] : kinds) {
    const html::PageKindSlots& slots = html::SlotsOf(kind);
    for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
      // Slots of older profiles (attribute texts) lie in the range without a label: no snippets.
      if (definition.slot < slots.first || definition.slot > slots.last || definition.label_key.empty()) continue;
      rows.push_back({name, std::string(definition.key), EnglishText(english, "Profile", definition.label_key),
                      Cp1252ToUtf8(definition.default_value)});
    }
  }
  return rows;
}

std::vector<MessageRow> MessageTexts(const std::string& english_file) {
  lang::RLLanguages list;
  const lang::RLLanguage* english = English(english_file, list);
  std::vector<MessageRow> rows;
  for (const lang::BuiltinText& text : lang::BuiltinGermanTexts()) {
    rows.push_back({std::string(text.section), std::string(text.key), std::string(text.text),
                    EnglishText(english, text.section, text.key)});
  }
  return rows;
}

std::vector<OptionPage> OptionPages(const std::string& english_file) {
  lang::RLLanguages list;
  const lang::RLLanguage* english = English(english_file, list);
  std::vector<OptionPage> pages;
  for (const lang::BuiltinText& text : lang::BuiltinGermanTexts()) {
    // "Options" alone is the dialog's caption, not a page.
    if (text.section != "Optionen" || !text.key.starts_with("Options") || text.key == "Options") continue;
    std::string name = EnglishText(english, text.section, text.key);
    pages.push_back({std::string(text.key), name.empty() ? std::string(text.text) : name});
  }
  return pages;
}

std::vector<CloneItemRow> CloneListKeys() {
  std::vector<CloneItemRow> rows;
  auto add = [&rows](const char* item, const image::CloneItem& fresh) {
    for (const auto& [key, value] : fresh.ProfileProperties()) rows.push_back({item, key, Cp1252ToUtf8(value)});
  };
  add("Text stamp", image::CTextStamp());
  add("Image stamp", image::CImageStamp());
  add("Border", image::CBorder());
  add("Image effect", image::CBildEffekt());
  return rows;
}

std::vector<EffectRow> ImageEffects(const std::string& english_file) {
  lang::RLLanguages list;
  const lang::RLLanguage* english = English(english_file, list);
  std::vector<EffectRow> rows;
  for (int code = 0; code <= image::effect_code::kLast; ++code) {
    const image::EffectDefaults& defaults = image::DefaultsOfEffect(code);
    if (defaults.label_key.empty()) continue;  // a free code
    std::string parameters;
    auto add = [&parameters](const std::string& text) { parameters += (parameters.empty() ? "" : ", ") + text; };
    for (int i = 0; i < image::kEffectParameterCount; ++i) {
      if (defaults.longs[static_cast<std::size_t>(i)] != 0) {
        add("L" + std::to_string(i + 1) + "=" + std::to_string(defaults.longs[static_cast<std::size_t>(i)]));
      }
    }
    for (int i = 0; i < image::kEffectParameterCount; ++i) {
      const double value = defaults.doubles[static_cast<std::size_t>(i)];
      if (value != 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        add("D" + std::to_string(i + 1) + "=" + text);
      }
    }
    std::string name = EnglishText(english, "CBildEffekte", defaults.label_key);
    rows.push_back({code, name.empty() ? std::string(defaults.label_key) : name, parameters});
  }
  return rows;
}

}  // namespace velmora::reference
