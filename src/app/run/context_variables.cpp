// Registration and updates of the context variables.
#include "app/run/context_variables.h"

#include <ctime>
#include <limits>

#include "lang/date_pattern.h"
#include "lang/language_registry.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

constexpr std::array<std::string_view, static_cast<std::size_t>(Ctx::kCount)> kNames = {
    "cur_date", "cur_time", "html", "html_path", "thumb_path",
    "profile", "file_prefix", "thumb_dim", "thumb_density", "count_base_all_path", "count_all_path", "count_base_all_files",
    "count_all_files", "size_byte_all", "size_byte_all_original", "velmora_absolute", "base_absolute",
    "clone_absolute", "deco_ref", "first_doc", "last_doc", "first_ref", "last_ref", "first_page_doc",
    "last_page_doc", "first_page_ref", "last_page_ref", "index_doc", "index_ref",
    "count_cur_path", "count_prev_path", "count_next_path", "count_files", "count_pages", "size_byte_path",
    "size_byte_path_original", "full_path", "path", "parent_path", "path_absolute", "path_absolute_original",
    "html_absolute", "first_path_doc", "last_path_doc", "first_path_ref", "last_path_ref",
    "count_cur_page", "count_prev_page", "count_next_page", "count_page_files", "doc", "prev_doc", "up_doc",
    "next_doc", "prev_ref", "up_ref", "next_ref",
    "count_cur_all_files", "count_cur_file", "count_prev_file", "count_next_file", "count_cur_row",
    "count_cur_file_in_row", "count_cur_file_in_page", "file", "ext", "file_original", "ext_original", "date",
    "time", "size_byte", "size_kbyte", "size_mbyte", "size_byte_original", "dimx", "dimy", "dim", "dimx_original",
    "dimy_original", "clone_quality", "thumb_dimx", "thumb_dimy", "src_doc", "src_ref", "pic_ref", "thumb_ref",
};

script::ValueType TypeOf(std::string_view name) {
  if (name == "size_kbyte" || name == "size_mbyte") return script::ValueType::kDouble;
  const bool number = name.starts_with("count_") || name.starts_with("size_byte") || name.starts_with("dimx") ||
                      name.starts_with("dimy") || name == "thumb_dim" || name == "thumb_density" || name == "clone_quality" ||
                      name == "thumb_dimx" || name == "thumb_dimy";
  return number ? script::ValueType::kInteger : script::ValueType::kString;
}

std::string FormatFileTime(const image::FileTime& time, const std::string& pattern) {
  if (time == image::FileTime{}) return {};
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(time));
  std::tm local{};
  localtime_r(&seconds, &local);
  return lang::ApplyDatePattern(pattern, local);
}

std::string Now(const std::string& pattern) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return lang::ApplyDatePattern(pattern, local);
}

}  // namespace

std::string_view ContextVariableName(Ctx variable) { return kNames[static_cast<std::size_t>(variable)]; }

void RunContext::Build(script::Program& program) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    handles_[i] = program.RegisterContextVariable(kNames[i], TypeOf(kNames[i]));
  }
  const settings::SettingsTable& working = settings::WorkingSettings();
  Set(Ctx::cur_date, Now(lang::FormatDate()));
  Set(Ctx::cur_time, Now(lang::FormatTime()));
  Set(Ctx::html, working.Text("HTML_EXTENSION"));
  Set(Ctx::html_path, working.Text("HTML_BASE"));
  Set(Ctx::thumb_path, working.Text("THUMB_DIRNAME"));
}

void RunContext::Set(Ctx variable, std::int64_t number) {
  if (number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max()) {
    handle(variable).SetInteger(static_cast<std::int32_t>(number));
  } else {
    handle(variable).SetDouble(static_cast<double>(number));
  }
}

void RunContext::SetImage(const image::RLImageFile& record, bool clone_is_output) {
  const image::ImageFileFacts& output = clone_is_output ? record.Clone : record.Original;
  Set(Ctx::file, output.Name);
  Set(Ctx::ext, output.Extension);
  Set(Ctx::file_original, record.Original.Name);
  Set(Ctx::ext_original, record.Original.Extension);
  Set(Ctx::date, FormatImageDate(record.Original.DateTime));
  Set(Ctx::time, FormatImageTime(record.Original.DateTime));
  Set(Ctx::size_byte, output.Size);
  SetDouble(Ctx::size_kbyte, static_cast<double>(output.Size) / 1024.0);
  SetDouble(Ctx::size_mbyte, static_cast<double>(output.Size) / 1024.0 / 1024.0);
  Set(Ctx::size_byte_original, record.Original.Size);
  Set(Ctx::dimx, output.Width);
  Set(Ctx::dimy, output.Height);
  Set(Ctx::dim, std::to_string(output.Width) + " x " + std::to_string(output.Height));
  Set(Ctx::dimx_original, record.Original.Width);
  Set(Ctx::dimy_original, record.Original.Height);
  Set(Ctx::clone_quality, record.Clone.Quality);
  Set(Ctx::thumb_dimx, record.Thumb.Width);
  Set(Ctx::thumb_dimy, record.Thumb.Height);
}

std::string FormatImageDate(const image::FileTime& time) { return FormatFileTime(time, lang::FormatDate()); }
std::string FormatImageTime(const image::FileTime& time) { return FormatFileTime(time, lang::FormatTime()); }

}  // namespace velmora::app
