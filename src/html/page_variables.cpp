// Handles of the page writers' context variables.
#include "html/page_variables.h"

namespace velmora::html {
namespace {

constexpr std::array<std::string_view, static_cast<std::size_t>(PageVar::kCount)> kNames = {
    "doc", "prev_doc", "prev_ref", "up_doc", "up_ref", "next_doc", "next_ref",
    "first_doc", "first_ref", "last_doc", "last_ref",
    "first_path_doc", "first_path_ref", "last_path_doc", "last_path_ref",
    "first_page_doc", "first_page_ref", "last_page_doc", "last_page_ref",
    "deco_ref", "html_absolute", "src_doc", "src_ref", "index_doc", "index_ref", "path", "parent_path",
    "count_cur_path", "count_prev_path", "count_next_path", "count_files", "count_pages",
};

constexpr std::size_t kFirstNumber = static_cast<std::size_t>(PageVar::count_cur_path);

}  // namespace

PageVariables::PageVariables(script::Program& program) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    // Registering again would reset a value the run has already set.
    if (script::RLSVariable* cell = program.globals().Find(kNames[i])) {
      handles_[i] = script::ContextVariable(cell);
      continue;
    }
    handles_[i] = program.RegisterContextVariable(
        kNames[i], i >= kFirstNumber ? script::ValueType::kInteger : script::ValueType::kString);
  }
}

}  // namespace velmora::html
