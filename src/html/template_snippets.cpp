// Compiling and emitting template snippets.
#include "html/template_snippets.h"

#include <string>

#include "lang/messages.h"
#include "script/compiler.h"
#include "script/sources.h"
#include "settings/settings_catalogue.h"

namespace velmora::html {
namespace {

constexpr PageKindSlots kFrameSlots{144, 146, "HTML_FRAME_HEAD_DISABLE_RILOSCRIPT", "InfHTMLFrame", 145, 0};
constexpr PageKindSlots kIndexSlots{125, 141, "HTML_INDEX_HEAD_DISABLE_RILOSCRIPT", "InfHTMLIndex", 126, 127};
constexpr PageKindSlots kThumbSlots{149, 173, "HTML_HEAD_DISABLE_RILOSCRIPT", "InfHTMLThumb", 150, 151};
constexpr PageKindSlots kImageSlots{176, 194, "HTML_BILD_HEAD_DISABLE_RILOSCRIPT", "InfHTMLImage", 177, 178};

// The label the options dialog shows for a snippet: the table's label once
// a language has been selected, else the language text of its label key.
std::string LabelOf(const settings::SettingsTable& settings, int slot) {
  const std::string& label = settings.Slot(slot).label;
  if (!label.empty()) return label;
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    if (definition.slot == slot && !definition.label_key.empty()) {
      return lang::GetText("Profile", definition.label_key);
    }
  }
  return settings.Slot(slot).key;
}

}  // namespace

const PageKindSlots& SlotsOf(PageKind kind) {
  switch (kind) {
    case PageKind::kFrame:
      return kFrameSlots;
    case PageKind::kIndex:
      return kIndexSlots;
    case PageKind::kThumb:
      return kThumbSlots;
    case PageKind::kImage:
      break;
  }
  return kImageSlots;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

int CompileTemplateRange(script::Program& program, const settings::SettingsTable& settings, int first, int last,
                         std::string_view page_name) {
  for (int slot = first; slot <= last; ++slot) {
    const settings::SettingSlot& snippet = settings.Slot(slot);
    if (snippet.key.empty() || IsBlank(snippet.value)) continue;
    const script::CompileResult result =
        script::Compile(program, snippet.value, script::SourceKind::kTemplate, snippet.key);
    if (!result.ok()) {
      script::ShowCompileResult(script::SourceOrigin::kTemplate, result, LabelOf(settings, slot), page_name);
      return result.code;
    }
  }
  return 0;
}

bool CompilePageTemplates(script::Program& program, const settings::SettingsTable& settings, PageKind kind) {
  const PageKindSlots& slots = SlotsOf(kind);
  const int first = settings.Flag(slots.head_switch) ? slots.first + 1 : slots.first;
  return CompileTemplateRange(program, settings, first, slots.last, lang::GetText("Erzeugung", slots.page_text_key)) ==
         0;
}

SnippetEmitter::SnippetEmitter(script::Machine& machine, const settings::SettingsTable& settings)
    : machine_(machine), settings_(settings) {
  for (int slot = 0; slot < settings::kSettingsSlotCount; ++slot) {
    const settings::SettingSlot& snippet = settings.Slot(slot);
    if (snippet.key.empty() || IsBlank(snippet.value)) continue;
    const script::RLSFunktion* function = machine.program().functions().Find(snippet.key);
    if (function != nullptr && function->state == script::FunctionState::kScript) {
      functions_[static_cast<std::size_t>(slot)] = function;
    }
  }
}

void SnippetEmitter::EmitSnippet(script::OutputSink& out, int slot) {
  const script::RLSFunktion* function = functions_[static_cast<std::size_t>(slot)];
  if (function != nullptr) machine_.Run(*function, out);
}

void SnippetEmitter::EmitFunction(script::OutputSink& out, std::string_view name) {
  const script::RLSFunktion* function = machine_.program().functions().Find(name);
  if (function != nullptr && function->state == script::FunctionState::kScript) machine_.Run(*function, out);
}

}  // namespace velmora::html
