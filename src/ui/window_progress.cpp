// The run's progress as the window reads it.
#include "ui/window_progress.h"

#include <chrono>

namespace velmora::ui {
namespace {

std::uint64_t NowMs() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

}  // namespace

std::int64_t SecondsLeft(std::int64_t done, std::int64_t total, std::uint64_t elapsed_ms) {
  // The first second says too little about the pace to promise anything.
  if (done <= 0 || total <= done || elapsed_ms < 1000) return -1;
  const double rest = static_cast<double>(elapsed_ms) * static_cast<double>(total - done) / static_cast<double>(done);
  return static_cast<std::int64_t>(rest / 1000.0 + 0.5);
}

void WindowProgress::Start(std::int32_t directories, std::int32_t images, std::int64_t bytes) {
  const std::lock_guard lock(mutex_);
  start_ms_ = NowMs();
  snapshot_.started = true;
  snapshot_.directories = directories;
  snapshot_.images = images;
  snapshot_.bytes = bytes;
}

void WindowProgress::Text(std::string_view text) {
  const std::lock_guard lock(mutex_);
  snapshot_.phase = text;
}

void WindowProgress::Directory(std::string_view name, std::int32_t number) {
  const std::lock_guard lock(mutex_);
  snapshot_.directory = name;
  snapshot_.directory_number = number;
}

void WindowProgress::Image(std::int32_t images_done, std::int64_t bytes_done) {
  const std::lock_guard lock(mutex_);
  snapshot_.images_done = images_done;
  snapshot_.bytes_done = bytes_done;
}

void WindowProgress::Picture(const std::filesystem::path&, const std::filesystem::path& shown) {
  const std::lock_guard lock(mutex_);
  snapshot_.picture = shown;
  ++snapshot_.picture_number;
}

void WindowProgress::Summary(std::string_view text) {
  const std::lock_guard lock(mutex_);
  snapshot_.summary = text;
}

ProgressSnapshot WindowProgress::Snapshot() const {
  const std::lock_guard lock(mutex_);
  ProgressSnapshot copy = snapshot_;
  if (copy.started) copy.elapsed_ms = NowMs() - start_ms_;
  return copy;
}

}  // namespace velmora::ui
