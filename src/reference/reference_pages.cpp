// Writing the reference pages.
#include "reference/reference_pages.h"

#include <algorithm>
#include <map>
#include <set>

namespace velmora::reference {
namespace {

std::string Anchor(std::string_view name) {
  std::string anchor;
  for (char c : name) anchor += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return anchor;
}

void RequireFields(const DocEntry& entry, const std::vector<std::string_view>& fields, std::string_view what,
                   std::vector<std::string>& problems) {
  for (std::string_view field : fields) {
    if (entry.Field(field).empty()) {
      problems.push_back(std::string(what) + " " + entry.name + ": no \"" + std::string(field) + ":\" line");
    }
  }
  if (entry.text.empty()) problems.push_back(std::string(what) + " " + entry.name + ": no description");
}

// Texts explaining names the program does not have are stale: a renamed or
// removed entry must take its text with it.
void ReportStale(const DocTexts& texts, const std::set<std::string, std::less<>>& known, std::string_view what,
                 std::vector<std::string>& problems) {
  for (const DocEntry& entry : texts.entries()) {
    if (!known.contains(entry.name)) {
      problems.push_back("line " + std::to_string(entry.line) + ": " + std::string(what) + " " + entry.name +
                         " does not exist in the program");
    }
  }
}

std::string Heading(std::string_view name) { return "### `" + std::string(name) + "` {#" + Anchor(name) + "}\n\n"; }

}  // namespace

std::string MarkdownText(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '|': out += "&#124;"; break;
      case '*': out += "&#42;"; break;
      case '_': out += "&#95;"; break;
      case '`': out += "&#96;"; break;
      case '[': out += "&#91;"; break;
      case ']': out += "&#93;"; break;
      case '\\': out += "&#92;"; break;
      case '\r': break;
      case '\n': out += ' '; break;
      default: out += c;
    }
  }
  return out;
}

std::string MarkdownCode(std::string_view value, bool in_table) {
  if (value.empty()) return "(empty)";
  if (in_table) return "<code>" + MarkdownText(value) + "</code>";
  const bool block = value.find_first_of("\r\n") != std::string_view::npos || value.size() > 60;
  std::size_t longest = 0;
  for (std::size_t i = 0; i < value.size();) {
    std::size_t run = 0;
    while (i + run < value.size() && value[i + run] == '`') ++run;
    longest = std::max(longest, run);
    i += run == 0 ? 1 : run;
  }
  if (block) {
    std::string text;
    for (char c : value) {
      if (c != '\r') text += c;
    }
    const std::string fence(std::max<std::size_t>(3, longest + 1), '`');
    return "\n" + fence + "html\n" + text + "\n" + fence + "\n";
  }
  const std::string fence(longest + 1, '`');
  const bool pad = value.front() == '`' || value.back() == '`';
  return fence + (pad ? " " : "") + std::string(value) + (pad ? " " : "") + fence;
}

const std::vector<std::string_view>& SettingFields() {
  static const std::vector<std::string_view> fields = {"page", "values"};
  return fields;
}
const std::vector<std::string_view>& BuiltinFields() {
  static const std::vector<std::string_view> fields = {"call", "result", "errors"};
  return fields;
}
const std::vector<std::string_view>& CloneKeyFields() {
  static const std::vector<std::string_view> fields = {"values"};
  return fields;
}

const std::vector<std::string_view>& ContextVariableFields() {
  static const std::vector<std::string_view> fields = {"type", "set"};
  return fields;
}

ReferencePage SettingsPage(const std::vector<SettingRow>& rows, const DocTexts& texts,
                           const std::vector<OptionPage>& pages) {
  ReferencePage page;
  std::set<std::string, std::less<>> known;
  std::map<std::string, std::vector<const SettingRow*>> by_page;
  for (const SettingRow& row : rows) {
    known.insert(row.key);
    const DocEntry* entry = texts.Find(row.key);
    if (entry == nullptr) {
      page.problems.push_back("setting " + row.key + " has no explanation");
      continue;
    }
    RequireFields(*entry, SettingFields(), "setting", page.problems);
    by_page[std::string(entry->Field("page"))].push_back(&row);
  }
  ReportStale(texts, known, "setting", page.problems);

  page.markdown =
      "# Settings reference\n\n"
      "Every setting of a profile, grouped by the page of the options dialog that shows it. "
      "On the command line each is `/KEY=value`; in a profile file `KEY=value`. "
      "Flags are `0` (off) or `1` (on); colours are RGB numbers in decimal with red in the low byte "
      "(`16777215` is white, `255` red).\n\n";
  std::set<std::string> listed;
  for (const OptionPage& option_page : pages) {
    const auto found = by_page.find(option_page.key);
    if (found == by_page.end()) continue;
    listed.insert(option_page.key);
    page.markdown += "## " + option_page.name + " {#" + Anchor(option_page.key) + "}\n\n";
    for (const SettingRow* row : found->second) {
      const DocEntry& entry = *texts.Find(row->key);
      page.markdown += Heading(row->key);
      page.markdown += "Default: " + MarkdownCode(row->default_value, false) + "  \n";
      page.markdown += "Values: " + MarkdownText(entry.Field("values")) + "\n\n";
      page.markdown += MarkdownText(entry.text) + "\n\n";
    }
  }
  for (const auto& [key, settings] : by_page) {
    if (!listed.contains(key) && !key.empty()) {
      page.problems.push_back("option page " + key + " (of " + settings.front()->key + ") is not a page of the dialog");
    }
  }
  return page;
}

ReferencePage BuiltinsPage(const std::vector<std::string>& names, const DocTexts& texts) {
  ReferencePage page;
  page.markdown =
      "# Built-in functions\n\n"
      "Every built-in function of RiloScript. A built-in never stops a script: on a failure it returns "
      "`@ERROR` and sets `ERRN_LAST` (the error number below), `ERRS_LAST` (the function's name, the "
      "number and the message) and `ERRF_LAST` (the chain of calling functions). Every built-in reports "
      "2 for a wrong number of arguments, 3 for an argument of the wrong type and 4 for an unusable "
      "argument value.\n\n";
  std::set<std::string, std::less<>> known(names.begin(), names.end());
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  for (const std::string& name : sorted) {
    const DocEntry* entry = texts.Find(name);
    if (entry == nullptr) {
      page.problems.push_back("built-in " + name + " has no explanation");
      continue;
    }
    RequireFields(*entry, BuiltinFields(), "built-in", page.problems);
    page.markdown += Heading(name);
    page.markdown += "    " + std::string(entry->Field("call")) + "\n\n";
    page.markdown += MarkdownText(entry->text) + "\n\n";
    page.markdown += "Result: " + MarkdownText(entry->Field("result")) + "  \n";
    page.markdown += "Errors: " + MarkdownText(entry->Field("errors")) + "\n\n";
  }
  ReportStale(texts, known, "built-in", page.problems);
  return page;
}

ReferencePage ContextVariablesPage(const std::vector<std::string>& names, const DocTexts& texts) {
  ReferencePage page;
  page.markdown =
      "# Context variables\n\n"
      "The run's state as templates and scripts see it. A template writes one with `{name}`; a function "
      "of a script module sees one after `global name;`. Names ending in `_ref` are links relative to the "
      "page being written, already percent-encoded; names ending in `_doc` are document names (put them "
      "through `htmlencode` like every other text).\n\n"
      "| variable | type | set | meaning |\n|---|---|---|---|\n";
  std::set<std::string, std::less<>> known(names.begin(), names.end());
  for (const std::string& name : names) {
    const DocEntry* entry = texts.Find(name);
    if (entry == nullptr) {
      page.problems.push_back("context variable " + name + " has no explanation");
      continue;
    }
    RequireFields(*entry, ContextVariableFields(), "context variable", page.problems);
    page.markdown += "| <code>" + name + "</code> | " + MarkdownText(entry->Field("type")) + " | " +
                     MarkdownText(entry->Field("set")) + " | " + MarkdownText(entry->text) + " |\n";
  }
  page.markdown += "\n";
  ReportStale(texts, known, "context variable", page.problems);
  return page;
}

ReferencePage TemplateKeysPage(const std::vector<SnippetRow>& rows, const DocTexts& setting_texts) {
  ReferencePage page;
  page.markdown =
      "# Template snippets\n\n"
      "A page is assembled from the snippets of its kind, in the order below; an empty snippet writes "
      "nothing. Text in braces is RiloScript: `{file}` writes a context variable, `{htmlencode(file)}` the "
      "result of an expression. Each snippet is a setting and can be given on the command line like any "
      "other (`/HTML_TITLE=\"My holiday\"`).\n\n";
  std::string kind;
  for (const SnippetRow& row : rows) {
    if (row.page_kind != kind) {
      kind = row.page_kind;
      page.markdown += "## The " + kind + " page {#" + kind + "-page}\n\n";
    }
    if (row.label.empty()) page.problems.push_back("template snippet " + row.key + " has no English label");
    page.markdown += Heading(row.key);
    page.markdown += "*" + MarkdownText(row.label) + "*";
    const DocEntry* entry = setting_texts.Find(row.key);
    if (entry != nullptr) page.markdown += ": " + MarkdownText(entry->text);
    page.markdown += "\n\nDefault: " + MarkdownCode(row.default_value, false) + "\n\n";
  }
  return page;
}

ReferencePage MessagesPage(const std::vector<MessageRow>& rows) {
  ReferencePage page;
  page.markdown =
      "# Messages and texts\n\n"
      "Every text the program shows or writes, by section and key, in German (built in) and English "
      "(`languages/English.lng`). `%1`, `%2` ... stand for the file, folder or value the message is "
      "about; `%n` is a line break. A language file of your own carries the same sections and keys.\n\n";
  std::string section;
  for (const MessageRow& row : rows) {
    if (row.section != section) {
      section = row.section;
      page.markdown += "\n## " + section + "\n\n| key | German | English |\n|---|---|---|\n";
    }
    if (row.english.empty() && !row.german.empty()) {
      page.problems.push_back("message " + row.section + "/" + row.key + " has no English text");
    }
    page.markdown += "| " + MarkdownText(row.key) + " | " + MarkdownText(row.german) + " | " +
                     MarkdownText(row.english) + " |\n";
  }
  page.markdown += "\n";
  return page;
}

ReferencePage CloneListPage(const std::vector<CloneItemRow>& rows, const DocTexts& texts,
                            const std::vector<EffectRow>& effects) {
  ReferencePage page;
  page.markdown =
      "# The clone list\n\n"
      "Every clone passes through the items of the profile's clone list in order. In the profile file each "
      "item is a block of the keys below, in this order; a key left out keeps the value a new item starts "
      "with. Colours are RGB numbers with red in the low byte (`16777215` white); positions 1 to 9 are the "
      "cells of a 3 x 3 grid over the picture, 1 top left, 5 the centre, 9 bottom right.\n";
  std::set<std::string, std::less<>> used;
  auto find = [&texts, &used](const std::string& key) -> const DocEntry* {
    if (const DocEntry* exact = texts.Find(key)) {
      used.insert(exact->name);
      return exact;
    }
    for (const DocEntry& entry : texts.entries()) {
      if (entry.name.ends_with('*') && key.starts_with(std::string_view(entry.name).substr(0, entry.name.size() - 1))) {
        used.insert(entry.name);
        return &entry;
      }
    }
    return nullptr;
  };
  std::string item;
  for (const CloneItemRow& row : rows) {
    if (row.item != item) {
      item = row.item;
      page.markdown += "\n## " + item + "\n\n| key | new item | values | meaning |\n|---|---|---|---|\n";
    }
    const DocEntry* entry = find(row.key);
    if (entry == nullptr) {
      page.problems.push_back("clone list key " + row.key + " has no explanation");
      continue;
    }
    RequireFields(*entry, CloneKeyFields(), "clone list key", page.problems);
    page.markdown += "| <code>" + row.key + "</code> | " + MarkdownCode(row.default_value, true) + " | " +
                     MarkdownText(entry->Field("values")) + " | " + MarkdownText(entry->text) + " |\n";
  }
  ReportStale(texts, used, "clone list key", page.problems);
  page.markdown +=
      "\n## Image effects\n\n"
      "`IMAGE_EFFECT_TYPE` chooses the effect; a new effect starts with these parameters (L integer, D "
      "floating-point; all others 0).\n\n| code | effect | parameters of a new effect |\n|---|---|---|\n";
  for (const EffectRow& effect : effects) {
    page.markdown += "| " + std::to_string(effect.code) + " | " + MarkdownText(effect.name) + " | " +
                     MarkdownText(effect.parameters.empty() ? "none" : effect.parameters) + " |\n";
  }
  return page;
}

}  // namespace velmora::reference
