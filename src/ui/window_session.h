// What the main window keeps between two sessions in the user settings
// store: the base directory and its history, the level, the preview switch,
// the window's size and position and the split between tree and preview.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::ui {

struct WindowSession {
  std::string base;                  // Windows-1252; empty: none yet
  std::vector<std::string> history;  // most recent first, at most kHistorySize
  std::optional<std::int32_t> level; // none: the profile's "DIR_LEVEL"
  bool preview = true;
  int width = 0, height = 0;  // 0: the window's own size
  int left = -1, top = -1;    // -1: where the desktop puts it
  int pane = 0;               // width of the tree beside the preview; 0: half
};

inline constexpr std::size_t kHistorySize = 12;

// The start path follows the profile's last base directory when
// "profilelastbasedir" is 1, else the last session's "startpath".
WindowSession ReadWindowSession();
void WriteWindowSession(const WindowSession& session);

// `base` first, then the rest of `history` without it, cut to kHistorySize.
std::vector<std::string> WithRecent(std::vector<std::string> history, const std::string& base);

}  // namespace velmora::ui
