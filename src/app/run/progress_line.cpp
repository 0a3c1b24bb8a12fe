// The progress line on a terminal.
#include "app/run/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>

#include "platform/control_characters.h"
#include "platform/cp1252_text.h"

namespace velmora::app {
namespace {

std::uint64_t NowMs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

std::size_t TerminalWidth(std::FILE* stream) {
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 10) return size.ws_col;
  return 80;
}

// Cuts UTF-8 text to `width` characters.
std::string CutToWidth(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++characters > width) return text.substr(0, i);
  }
  return text;
}

}  // namespace

std::string FormatDuration(std::uint64_t seconds) {
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
  }
  return text;
}

std::string FormatBytes(std::int64_t bytes) {
  static constexpr const char* kUnits[] = {"B", "KB", "MB", "GB", "TB"};
  double value = static_cast<double>(bytes);
  int unit = 0;
  while (value >= 1024.0 && unit < 4) {
    value /= 1024.0;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
  return text;
}

std::string ProgressLine(std::string_view directory, std::int32_t directory_number, std::int32_t directories,
                         std::int32_t images_done, std::int32_t images, std::int64_t bytes_done,
                         std::int64_t bytes, std::uint64_t elapsed_ms, std::size_t width) {
  // The directory comes first, shortened, so that a narrow terminal still
  // shows where the run is; the counters follow.
  std::string name = Cp1252Text(EscapeControlCharacters(directory)).ToUtf8();
  const std::string shortened = CutToWidth(name, 29);
  if (shortened.size() < name.size()) name = shortened + "~";
  std::string line = name + "  [" + std::to_string(directory_number) + "/" + std::to_string(directories) +
                     "] image " + std::to_string(images_done) + " of " + std::to_string(images) + ", " +
                     FormatBytes(bytes_done) + " of " + FormatBytes(bytes) + ", " + FormatDuration(elapsed_ms / 1000);
  // The estimate follows the bytes, since big photos take longer than small ones.
  if (bytes_done > 0 && bytes > bytes_done && elapsed_ms >= 1000) {
    const double rest = static_cast<double>(elapsed_ms) * static_cast<double>(bytes - bytes_done) /
                        static_cast<double>(bytes_done) / 1000.0;
    line += ", about " + FormatDuration(static_cast<std::uint64_t>(rest)) + " left";
  }
  return CutToWidth(line, width > 1 ? width - 1 : width);
}

void TerminalProgress::Start(std::int32_t directories, std::int32_t images, std::int64_t bytes) {
  directories_ = directories;
  images_ = images;
  bytes_ = bytes;
  start_ms_ = NowMs();
}

void TerminalProgress::Text(std::string_view text) {
  std::fprintf(stream_, "\r\033[K%s", Cp1252Text(text).ToUtf8().c_str());
  std::fflush(stream_);
  drawn_ = true;
}

void TerminalProgress::Directory(std::string_view name, std::int32_t number) {
  directory_ = name;
  directory_number_ = number;
  Draw(false);
}

void TerminalProgress::Image(std::int32_t images_done, std::int64_t bytes_done) {
  images_done_ = images_done;
  bytes_done_ = bytes_done;
  Draw(false);
}

void TerminalProgress::Finish() {
  if (drawn_) Draw(true);
  if (drawn_) std::fputc('\n', stream_);
  std::fflush(stream_);
  drawn_ = false;
}

void TerminalProgress::Draw(bool force) {
  const std::uint64_t now = NowMs();
  if (!force && drawn_ && now - last_draw_ms_ < 200) return;
  last_draw_ms_ = now;
  const std::string line = ProgressLine(directory_, directory_number_, directories_, images_done_, images_,
                                        bytes_done_, bytes_, now - start_ms_, TerminalWidth(stream_));
  std::fprintf(stream_, "\r\033[K%s", line.c_str());
  std::fflush(stream_);
  drawn_ = true;
}

}  // namespace velmora::app
