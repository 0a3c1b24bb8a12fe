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
#include "app/run_tree.h"
#include "app/startup.h"
#include "lang/messages.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

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
  const std::string base = state.StartPath.empty() ? std::string() : AbsoluteBaseDir(state.StartPath);
  // Like every batch error, a base directory that cannot be used or an image
  // filter that does not compile is shown and start-up goes on with an empty
  // tree; the run driver then makes its checks in order and refuses the run.
  SelectionTree tree;
  if (BuildRunTree(tree, base, state.DirLevel) == TreeBuild::kBaseUnavailable) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrBasedirNotAvailable",
                      {Cp1252Text(state.StartPath)});
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
