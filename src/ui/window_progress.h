// What a run reports, kept for the window: the run's thread writes it through
// the RunProgress calls, the window reads a copy of it several times a second.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

#include "app/run/progress_line.h"

namespace velmora::ui {

struct ProgressSnapshot {
  bool started = false;  // the main pass has begun
  std::int32_t directories = 0, directory_number = 0;
  std::int32_t images = 0, images_done = 0;
  std::int64_t bytes = 0, bytes_done = 0;
  std::string directory;  // relative path of the current directory (Windows-1252)
  std::string phase;      // the last phase text ("deleting the clone folder")
  std::filesystem::path picture;  // the file showing the image just handled
  std::uint64_t picture_number = 0;  // grows with every new picture
  std::string summary;    // the closing summary (Windows-1252, LF)
  std::uint64_t elapsed_ms = 0;  // since the main pass began
};

// Seconds still to go when `done` of `total` took `elapsed_ms`; -1 when
// there is nothing to go by yet.
std::int64_t SecondsLeft(std::int64_t done, std::int64_t total, std::uint64_t elapsed_ms);

class WindowProgress final : public app::RunProgress {
 public:
  void Start(std::int32_t directories, std::int32_t images, std::int64_t bytes) override;
  void Text(std::string_view text) override;
  void Directory(std::string_view name, std::int32_t number) override;
  void Image(std::int32_t images_done, std::int64_t bytes_done) override;
  void Finish() override {}
  bool ShowsPictures() const override { return true; }
  void Picture(const std::filesystem::path& original, const std::filesystem::path& shown) override;
  void Summary(std::string_view text) override;

  ProgressSnapshot Snapshot() const;

 private:
  mutable std::mutex mutex_;
  ProgressSnapshot snapshot_;
  std::uint64_t start_ms_ = 0;
};

}  // namespace velmora::ui
