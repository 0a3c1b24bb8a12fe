// The reference pages of the user guide, written in Markdown from the
// program's own tables and the explanatory texts keyed by name. Every table
// entry without a text, every text without a table entry and every missing
// field is a problem: the pages cannot drift from the program unnoticed.
#pragma once

#include <string>
#include <vector>

#include "reference/code_tables.h"
#include "reference/doc_texts.h"

namespace velmora::reference {

struct ReferencePage {
  std::string markdown;
  std::vector<std::string> problems;
};

// Fields each kind of explanatory text knows (and requires, see the .cpp).
const std::vector<std::string_view>& SettingFields();
const std::vector<std::string_view>& BuiltinFields();
const std::vector<std::string_view>& ContextVariableFields();
const std::vector<std::string_view>& CloneKeyFields();

ReferencePage SettingsPage(const std::vector<SettingRow>& rows, const DocTexts& texts,
                           const std::vector<OptionPage>& pages);
ReferencePage BuiltinsPage(const std::vector<std::string>& names, const DocTexts& texts);
ReferencePage ContextVariablesPage(const std::vector<std::string>& names, const DocTexts& texts);
ReferencePage TemplateKeysPage(const std::vector<SnippetRow>& rows, const DocTexts& setting_texts);
ReferencePage MessagesPage(const std::vector<MessageRow>& rows);
// A text named "PREFIX_*" explains every key that starts with PREFIX_ (the
// numbered parameters of an effect).
ReferencePage CloneListPage(const std::vector<CloneItemRow>& rows, const DocTexts& texts,
                            const std::vector<EffectRow>& effects);

// Text made safe inside a Markdown table cell or running text: "|", "<",
// ">", "&", "*", "_" and "`" do not act, line breaks become blanks.
std::string MarkdownText(std::string_view text);
// A value shown as code: an inline code span, or a fenced block when it
// holds line breaks or is long; "(empty)" for an empty value.
std::string MarkdownCode(std::string_view value, bool in_table);

}  // namespace velmora::reference
