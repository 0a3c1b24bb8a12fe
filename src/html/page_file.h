// One page file being written: line by line straight to disk, and with
// "HTML_CHANGED" through a hidden temporary twin so that an unchanged page keeps its old
// file (and its date) untouched.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "script/output_sink.h"

namespace velmora::html {

enum class PageResult { kWritten, kUnchanged, kFailed };

class PageFile final : public script::OutputSink {
 public:
  PageFile() = default;
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;
  ~PageFile() override;

  // Opens `folder`/`file_name` (native names); false when it cannot be created.
  bool Open(const std::filesystem::path& folder, const std::filesystem::path& file_name, bool only_when_changed);
  bool is_open() const { return file_ != nullptr; }
  const std::filesystem::path& path() const { return path_; }

  void Write(std::string_view text) override;
  // Text followed by CR LF.
  void Line(std::string_view text = {});
  bool is_file() const override { return true; }

  // Closes the file; with "only when changed" the new text replaces the old
  // file only when they differ (letter case aside).
  PageResult Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
  bool only_when_changed_ = false;
  std::filesystem::path path_;     // the page's own name
  std::filesystem::path written_;  // where the text goes now
};

// True when both files hold the same text, compared without regard to letter case.
bool SameTextIgnoringCase(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace velmora::html
