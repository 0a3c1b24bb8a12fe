// Streaming page files and the replace-only-when-changed rule.
#include "html/page_file.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/cp1252_case.h"

namespace velmora::html {
namespace fs = std::filesystem;

namespace {

bool ReadWhole(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

bool PageFile::Open(const fs::path& folder, const fs::path& file_name, bool only_when_changed) {
  only_when_changed_ = only_when_changed;
  path_ = folder / file_name;
  error_ = writer_.Open(path_);
  open_ = !error_;
  return open_;
}

void PageFile::Write(std::string_view text) {
  if (open_) writer_.Write(text);
}

void PageFile::Line(std::string_view text) {
  Write(text);
  Write("\r\n");
}

PageResult PageFile::Close() {
  if (!open_) return PageResult::kFailed;
  open_ = false;
  // Pages are remade by the next run, so they are not flushed to disk one by one.
  error_ = writer_.Finish(Durability::kRenameOnly);
  if (error_) return PageResult::kFailed;
  std::error_code error;
  if (only_when_changed_ && fs::is_regular_file(path_, error) && SameTextIgnoringCase(path_, writer_.twin())) {
    writer_.Discard();
    return PageResult::kUnchanged;
  }
  error_ = writer_.Replace();
  return error_ ? PageResult::kFailed : PageResult::kWritten;
}

bool SameTextIgnoringCase(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
  std::string left, right;
  if (!ReadWhole(a, left) || !ReadWhole(b, right) || left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (Cp1252Lower(static_cast<unsigned char>(left[i])) != Cp1252Lower(static_cast<unsigned char>(right[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace velmora::html
