// The context variables that the page writers set: handles into the run's
// script globals, found once by name, then written without lookups.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "script/symbols.h"

namespace velmora::html {

enum class PageVar : int {
  doc, prev_doc, prev_ref, up_doc, up_ref, next_doc, next_ref,
  first_doc, first_ref, last_doc, last_ref,
  first_path_doc, first_path_ref, last_path_doc, last_path_ref,
  first_page_doc, first_page_ref, last_page_doc, last_page_ref,
  deco_ref, html_absolute, src_doc, src_ref, index_doc, index_ref, path, parent_path,
  // numbers
  count_cur_path, count_prev_path, count_next_path, count_files, count_pages,
  kCount
};

class PageVariables {
 public:
  // Finds every variable the run has registered (keeping its value) and
  // registers those it has not.
  explicit PageVariables(script::Program& program);

  void Set(PageVar variable, std::string_view text) { handle(variable).SetString(text); }
  void Set(PageVar variable, std::int32_t number) { handle(variable).SetInteger(number); }
  const script::Value& Get(PageVar variable) const { return handles_[static_cast<std::size_t>(variable)].value(); }

 private:
  script::ContextVariable& handle(PageVar v) { return handles_[static_cast<std::size_t>(v)]; }
  std::array<script::ContextVariable, static_cast<std::size_t>(PageVar::kCount)> handles_{};
};

}  // namespace velmora::html
