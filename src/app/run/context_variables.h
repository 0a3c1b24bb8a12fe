// The run's state as scripts see it: global variables that the host
// registers read-only and writes through handles, never by name lookup.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "image/rl_image_file.h"
#include "platform/cp1252_text.h"
#include "script/symbols.h"

namespace velmora::app {

// Every context variable, in registration order.
enum class Ctx : int {
  // given their values at registration
  cur_date, cur_time, html, html_path, thumb_path,
  // run-wide
  profile, file_prefix, thumb_dim, thumb_density, count_base_all_path, count_all_path, count_base_all_files, count_all_files,
  size_byte_all, size_byte_all_original, velmora_absolute, base_absolute, clone_absolute, deco_ref, first_doc,
  last_doc, first_ref, last_ref, first_page_doc, last_page_doc, first_page_ref, last_page_ref, index_doc, index_ref,
  // per directory
  count_cur_path, count_prev_path, count_next_path, count_files, count_pages, size_byte_path,
  size_byte_path_original, full_path, path, parent_path, path_absolute, path_absolute_original, html_absolute,
  first_path_doc, last_path_doc, first_path_ref, last_path_ref,
  // per page
  count_cur_page, count_prev_page, count_next_page, count_page_files, doc, prev_doc, up_doc, next_doc, prev_ref,
  up_ref, next_ref,
  // per image
  count_cur_all_files, count_cur_file, count_prev_file, count_next_file, count_cur_row, count_cur_file_in_row,
  count_cur_file_in_page, file, ext, file_original, ext_original, date, time, size_byte, size_kbyte, size_mbyte,
  size_byte_original, dimx, dimy, dim, dimx_original, dimy_original, clone_quality, thumb_dimx, thumb_dimy,
  src_doc, src_ref, pic_ref, thumb_ref,
  kCount
};

std::string_view ContextVariableName(Ctx variable);

class RunContext {
 public:
  // Registers every variable in `program` (replacing earlier handles) and
  // sets the date, the time and the three folder/extension names from the
  // working settings.
  void Build(script::Program& program);
  bool built() const { return handles_[0].valid(); }

  void Set(Ctx variable, std::string_view text) { handle(variable).SetString(text); }
  void Set(Ctx variable, const char* text) { handle(variable).SetString(text); }
  void Set(Ctx variable, const Cp1252Text& text) { handle(variable).SetString(text.bytes()); }
  // Integers beyond 32 bits (byte totals of big trees) become floating
  // values rather than wrapping round.
  void Set(Ctx variable, std::int64_t number);
  void Set(Ctx variable, int number) { Set(variable, static_cast<std::int64_t>(number)); }
  void SetDouble(Ctx variable, double number) { handle(variable).SetDouble(number); }
  const script::Value& Get(Ctx variable) const { return handles_[static_cast<std::size_t>(variable)].value(); }

  // Every per-image variable that the image record determines: names, sizes,
  // dimensions, quality, date and time. `clone_is_output` says whether the
  // clone (rather than the original) is the image that pages show.
  void SetImage(const image::RLImageFile& record, bool clone_is_output);

 private:
  script::ContextVariable& handle(Ctx v) { return handles_[static_cast<std::size_t>(v)]; }
  std::array<script::ContextVariable, static_cast<std::size_t>(Ctx::kCount)> handles_{};
};

// Date and time of a file time in the language's formats; both empty for
// an image without a date.
std::string FormatImageDate(const image::FileTime& time);
std::string FormatImageTime(const image::FileTime& time);

}  // namespace velmora::app
