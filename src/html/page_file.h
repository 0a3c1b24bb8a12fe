// One page file being written: line by line, streamed through a hidden
// temporary twin that replaces the page only when it is complete, so that a
// stopped run or a full disk never leaves half a page. With "HTML_CHANGED"
// an unchanged page keeps its old file (and its date) untouched.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/atomic_file.h"
#include "script/output_sink.h"

namespace velmora::html {

enum class PageResult { kWritten, kUnchanged, kFailed };

class PageFile final : public script::OutputSink {
 public:
  PageFile() = default;
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;
  // A page still open was interrupted: its twin goes, the old page stays.
  ~PageFile() override = default;

  // Opens `folder`/`file_name` (native names); false when it cannot be
  // created (error() says why).
  bool Open(const std::filesystem::path& folder, const std::filesystem::path& file_name, bool only_when_changed);
  bool is_open() const { return open_; }
  const std::filesystem::path& path() const { return path_; }
  // Why opening, writing or replacing the page failed.
  const std::error_code& error() const { return error_; }

  void Write(std::string_view text) override;
  // Text followed by CR LF.
  void Line(std::string_view text = {});
  bool is_file() const override { return true; }

  // Puts the complete page in place; with "only when changed" the new text
  // replaces the old file only when they differ (letter case aside).
  PageResult Close();

 private:
  AtomicFileWriter writer_;
  bool open_ = false;
  bool only_when_changed_ = false;
  std::error_code error_;
  std::filesystem::path path_;
};

// True when both files hold the same text, compared without regard to letter case.
bool SameTextIgnoringCase(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace velmora::html
