// Batch mode's one run.
#include "app/batch_run.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/effective_settings.h"
#include "platform/log.h"
#include "platform/native_path.h"
#include "app/run/gallery_page_writer.h"
#include "app/run/run_checks.h"
#include "app/run/run_driver.h"
#include "app/run/stop_request.h"
#include "app/startup.h"
#include "lang/messages.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

// The base directory as the run shows it: absolute, so that the log, the
// messages and the selection file name the same folder wherever the
// program was started.
std::string AbsoluteBase(const std::string& start_path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(ToNativePath(Cp1252Text(start_path)), error);
  if (error) return start_path;
  std::string text = absolute.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return FromNativePath(text).value_or(Cp1252Text(start_path)).bytes();
}

void LogEffectiveSettings(const StartupState& state) {
  const std::string described = DescribeEffectiveSettings(state);
  std::size_t start = 0;
  for (std::size_t end = described.find('\n'); end != std::string::npos; end = described.find('\n', start)) {
    WriteLog("Batch " + Cp1252Text::FromUtf8(described.substr(start, end - start)).value_or(Cp1252Text::Ascii("?")).bytes());
    start = end + 1;
  }
}

}  // namespace

int RunBatch(StartupState& state) {
  LogEffectiveSettings(state);
  const std::string base = state.StartPath.empty() ? std::string() : AbsoluteBase(state.StartPath);
  // Like every batch error, a base directory that cannot be used or an image
  // filter that does not compile is shown and start-up goes on with an empty
  // tree; the run driver then makes its checks in order and refuses the run.
  SelectionTree tree;
  std::error_code error;
  if (base.empty() || !std::filesystem::is_directory(ToNativePath(Cp1252Text(base)), error)) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrBasedirNotAvailable",
                      {Cp1252Text(state.StartPath)});
  } else {
    const settings::SettingsTable& settings = settings::WorkingSettings();
    const Cp1252Text clone_dir =
        settings.Flag("GENERATE_CLONES") ? CloneDirOf(settings, Cp1252Text(base)) : Cp1252Text();
    if (!BuildSelectionTree(tree, base, state.DirLevel, ToNativePath(clone_dir))) tree = SelectionTree();
  }

  InstallStopRequestHandler();
  TerminalProgress terminal(stderr);
  SilentProgress silent;
  RunProgress& progress = isatty(STDERR_FILENO) ? static_cast<RunProgress&>(terminal) : silent;
  GalleryPageWriter pages(state);
  RunDriver driver(state, tree, pages, progress);
  pages.Follow(driver.state());
  switch (driver.StartOrStop(Cp1252Text(base))) {
    case DriverResult::kFinished:
      return lang::MessageShownDuringBatch() ? kExitMessagesShown : kExitOk;
    case DriverResult::kCancelled:
      return kExitCancelled;
    default:
      return kExitRunFailed;
  }
}

}  // namespace velmora::app
