// What a run reports while it works, and the live line on a terminal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::app {

class RunProgress {
 public:
  virtual ~RunProgress() = default;
  virtual void Start(std::int32_t directories, std::int32_t images, std::int64_t bytes) = 0;
  virtual void Text(std::string_view text) = 0;  // a phase ("deleting the clone folder")
  virtual void Directory(std::string_view name, std::int32_t number) = 0;
  virtual void Image(std::int32_t images_done, std::int64_t bytes_done) = 0;
  virtual void Finish() = 0;
  // The image just handled: its original and the file that shows it best
  // (its thumbnail, else its clone, else the original), for a preview.
  // Only a progress that shows pictures gets them: finding the file costs
  // a look at the disk per image, which a batch run need not pay.
  virtual bool ShowsPictures() const { return false; }
  virtual void Picture(const std::filesystem::path& /*original*/, const std::filesystem::path& /*shown*/) {}
  // The summary the run ends with, also after a stop (Windows-1252, lines
  // separated by LF).
  virtual void Summary(std::string_view /*text*/) {}
};

class SilentProgress final : public RunProgress {
 public:
  void Start(std::int32_t, std::int32_t, std::int64_t) override {}
  void Text(std::string_view) override {}
  void Directory(std::string_view, std::int32_t) override {}
  void Image(std::int32_t, std::int64_t) override {}
  void Finish() override {}
};

// One line on standard error, redrawn in place at most five times a second:
// directory, image n of N, bytes, elapsed time and the estimate of the rest.
class TerminalProgress final : public RunProgress {
 public:
  explicit TerminalProgress(std::FILE* stream) : stream_(stream) {}
  void Start(std::int32_t directories, std::int32_t images, std::int64_t bytes) override;
  void Text(std::string_view text) override;
  void Directory(std::string_view name, std::int32_t number) override;
  void Image(std::int32_t images_done, std::int64_t bytes_done) override;
  void Finish() override;

 private:
  void Draw(bool force);

  std::FILE* stream_;
  std::int32_t directories_ = 0, images_ = 0, directory_number_ = 0, images_done_ = 0;
  std::int64_t bytes_ = 0, bytes_done_ = 0;
  std::string directory_;
  std::uint64_t start_ms_ = 0, last_draw_ms_ = 0;
  bool drawn_ = false;
};

// "1:05" or "1:02:03".
std::string FormatDuration(std::uint64_t seconds);
// "12.3 MB" style sizes with binary units.
std::string FormatBytes(std::int64_t bytes);
// The line a terminal shows, cut to `width` columns.
std::string ProgressLine(std::string_view directory, std::int32_t directory_number, std::int32_t directories,
                         std::int32_t images_done, std::int32_t images, std::int64_t bytes_done,
                         std::int64_t bytes, std::uint64_t elapsed_ms, std::size_t width);

}  // namespace velmora::app
