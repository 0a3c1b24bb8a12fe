// The window's session in the user settings store.
#include "ui/window_session.h"

#include <algorithm>
#include <cstdlib>

#include "app/run/selection_tree.h"
#include "settings/user_settings.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kHistorySection = "LastSession\\basedirs";

int Number(std::string_view section, std::string_view name, int fallback) {
  const std::string text = settings::ReadUserSetting(section, name);
  if (text.empty()) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || value < -100000 || value > 100000) return fallback;
  return static_cast<int>(value);
}

}  // namespace

std::vector<std::string> WithRecent(std::vector<std::string> history, const std::string& base) {
  if (!base.empty()) {
    history.erase(std::remove(history.begin(), history.end(), base), history.end());
    history.insert(history.begin(), base);
  }
  std::vector<std::string> recent;
  for (std::string& entry : history) {
    if (!entry.empty() && std::find(recent.begin(), recent.end(), entry) == recent.end()) {
      recent.push_back(std::move(entry));
    }
    if (recent.size() == kHistorySize) break;
  }
  return recent;
}

WindowSession ReadWindowSession() {
  WindowSession session;
  if (settings::ReadUserSetting("LastSession", "profilelastbasedir") == "1") {
    session.base = settings::ReadUserSetting("ProfilesLastData", app::ActiveProfileName());
  }
  if (session.base.empty()) session.base = settings::ReadUserSetting("LastSession", "startpath");
  for (const auto& [name, value] : settings::ListUserSettings(kHistorySection)) session.history.push_back(value);
  session.history = WithRecent(std::move(session.history), {});
  const int level = Number("LastSession", "dirlevel", -1);
  if (level >= 0 && level <= 2) session.level = level;
  session.preview = settings::ReadUserSetting("LastSession", "imgcontrol", "1") != "0";
  session.width = std::max(0, Number("Administration", "fwidth", 0));
  session.height = std::max(0, Number("Administration", "fheigth", 0));
  session.pane = std::max(0, Number("Administration", "pwidth", 0));
  session.left = Number("LastSession", "fleft", -1);
  session.top = Number("LastSession", "ftop", -1);
  return session;
}

void WriteWindowSession(const WindowSession& session) {
  const settings::UserSettingsWriteScope one_write;
  settings::WriteUserSetting("Administration", "fwidth", std::to_string(session.width));
  settings::WriteUserSetting("Administration", "fheigth", std::to_string(session.height));
  settings::WriteUserSetting("Administration", "pwidth", std::to_string(session.pane));
  settings::WriteUserSetting("LastSession", "fleft", std::to_string(session.left));
  settings::WriteUserSetting("LastSession", "ftop", std::to_string(session.top));
  settings::WriteUserSetting("LastSession", "startpath", session.base);
  if (session.level) settings::WriteUserSetting("LastSession", "dirlevel", std::to_string(*session.level));
  settings::WriteUserSetting("LastSession", "imgcontrol", session.preview ? "1" : "0");
  settings::DeleteUserSettingsSection(kHistorySection);
  int number = 1;
  for (const std::string& base : session.history) {
    settings::WriteUserSetting(kHistorySection, "BD" + std::to_string(number++), base);
  }
}

}  // namespace velmora::ui
