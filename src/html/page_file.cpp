// Streaming page files and the replace-only-when-changed rule.
#include "html/page_file.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "app/platform/cp1252_case.h"
#include "app/platform/temporary_files.h"

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

// A page left open was interrupted (a cancelled run). Its temporary twin
// goes, so the old page stays as it was; a page written in place keeps what
// it has.
PageFile::~PageFile() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  std::error_code error;
  if (only_when_changed_) fs::remove(written_, error);
}

bool PageFile::Open(const fs::path& folder, const fs::path& file_name, bool only_when_changed) {
  only_when_changed_ = only_when_changed;
  failed_ = false;
  path_ = folder / file_name;
  written_ = only_when_changed ? TemporaryTwin(path_) : path_;
  file_ = std::fopen(written_.c_str(), "wb");
  if (file_ == nullptr) return false;
  // Pages are written in many small pieces; a large buffer keeps that cheap.
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void PageFile::Write(std::string_view text) {
  if (file_ == nullptr || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
}

void PageFile::Line(std::string_view text) {
  Write(text);
  Write("\r\n");
}

PageResult PageFile::Close() {
  if (file_ == nullptr) return PageResult::kFailed;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  std::error_code error;
  if (failed_ || !closed) {
    fs::remove(written_, error);  // a half-written page must not stay behind
    return PageResult::kFailed;
  }
  if (!only_when_changed_) return PageResult::kWritten;
  if (fs::is_regular_file(path_, error) && SameTextIgnoringCase(path_, written_)) {
    fs::remove(written_, error);
    return PageResult::kUnchanged;
  }
  fs::remove(path_, error);
  fs::rename(written_, path_, error);
  if (!error) return PageResult::kWritten;
  fs::remove(written_, error);
  return PageResult::kFailed;
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
