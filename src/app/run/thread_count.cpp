// The run's thread count.
#include "app/run/thread_count.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "platform/thread_pool.h"
#include "settings/user_settings.h"

namespace velmora::app {
namespace {

// More threads than this only cost memory: each holds an image.
constexpr int kMaxThreads = 64;

}  // namespace

std::optional<int> ParseThreadCount(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range && end == text.data() + text.size() && text.front() != '-') {
    return kMaxThreads;
  }
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return std::min(value, kMaxThreads);
}

int RunThreadCount() {
  if (const char* text = std::getenv("VELMORA_THREADS")) {
    if (const std::optional<int> threads = ParseThreadCount(text)) return *threads;
  }
  if (const std::optional<int> threads = ParseThreadCount(settings::ReadUserSetting("Administration", "threads"))) {
    return *threads;
  }
  return std::min(HardwareThreads(), kMaxThreads);
}

}  // namespace velmora::app
