// Template snippets: the settings slots that hold a page kind's HTML with
// script parts in braces, compiled into script functions named after their
// keys, and emitted into the page being written.
#pragma once

#include <array>
#include <string_view>

#include "script/machine.h"
#include "script/output_sink.h"
#include "script/symbols.h"
#include "settings/settings_table.h"

namespace velmora::html {

enum class PageKind { kFrame, kIndex, kThumb, kImage };

// The settings that every page kind's frame (head, title, body) is made of.
struct PageKindSlots {
  int first = 0;                     // the head snippet
  int last = 0;                      // the footer or content snippet
  settings::SettingKey head_switch;  // not 0: the head is written literally
  std::string_view page_text_key;    // section "Erzeugung": the page kind's name
  int title = 0;
  int body = 0;  // 0: no body element (frame page)
};

const PageKindSlots& SlotsOf(PageKind kind);

// Compiles every slot from `first` to `last` whose value is not only
// blanks; stops at the first error after showing "ErrTagLastErr" with the
// page name, the snippet's label and the compiler's error. 0 when all
// compiled, else the compiler's error code.
int CompileTemplateRange(script::Program& program, const settings::SettingsTable& settings, int first, int last,
                         std::string_view page_name);

// The range of a page kind, one slot later when its head is written literally.
bool CompilePageTemplates(script::Program& program, const settings::SettingsTable& settings, PageKind kind);

// Runs snippet functions into a page. Function lookups happen once, when
// the emitter is made after compilation.
class SnippetEmitter {
 public:
  SnippetEmitter(script::Machine& machine, const settings::SettingsTable& settings);

  // When the slot's value is not empty and it was compiled, runs it into `out`.
  void EmitSnippet(script::OutputSink& out, int slot);
  // Runs a named function when the scripts define it (entry functions).
  void EmitFunction(script::OutputSink& out, std::string_view name);
  bool Empty(int slot) const { return functions_[static_cast<std::size_t>(slot)] == nullptr; }

  const settings::SettingsTable& settings() const { return settings_; }

 private:
  script::Machine& machine_;
  const settings::SettingsTable& settings_;
  std::array<const script::RLSFunktion*, settings::kSettingsSlotCount> functions_{};
};

// True when the text holds nothing but blanks.
bool IsBlank(std::string_view text);

}  // namespace velmora::html
