// The run driver.
#include "app/run/run_driver.h"

#include "platform/log.h"
#include "platform/native_path.h"
#include "app/run/directory_collection.h"
#include "app/run/image_scan.h"
#include "app/run/run_checks.h"
#include "app/run/run_scripts.h"
#include "app/run/script_access.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "settings/user_settings.h"

namespace velmora::app {

DriverResult RunDriver::StartOrStop(const Cp1252Text& base_dir) {
  if (state_.Running) {
    startup_.CancelRequested = true;
    startup_.BatchMode = false;
    return DriverResult::kStopRequested;
  }
  state_ = RunState();
  state_.Running = true;
  state_.BaseDir = base_dir;
  const DriverResult result = Start();
  state_.Running = false;
  return result;
}

DriverResult RunDriver::Start() {
  const settings::SettingsTable& settings = settings::WorkingSettings();
  WriteLog("Run START");
  if (!CheckRunSettings(settings, state_)) return DriverResult::kCheckFailed;

  RunScripts scripts;
  scripts.SetFileAccess(
      RunScriptAccess(ToNativePath(state_.BaseDir), ToNativePath(state_.CloneDir), startup_.ScriptAccess));
  LogScriptAccess(scripts.program().file_access());
  if (!scripts.CompileModules()) return DriverResult::kCheckFailed;
  if (!scripts.CompileOracle(settings.Text("IMAGE_ORACLE"), state_.OracleActive)) return DriverResult::kCheckFailed;
  // The tree's report: a folder it has already named is not named again.
  const ImageScan scan(settings, state_.OracleActive ? &scripts : nullptr, &tree_.listing_report());
  state_.ImagePatterns = scan.patterns();
  ProtectPhotoNames(scripts.program().file_access(), scan.patterns());

  CollectDirectories(tree_, startup_.DirLevel, scan, state_);
  state_.Guard = GuardOf(state_);
  ProtectRunPhotos(scripts.program().file_access(), state_.Guard);
  if (state_.ImageTotal < 1) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrNothingToDo");
    return DriverResult::kCheckFailed;
  }

  const std::string delete_option = settings::ReadUserSetting("LastSession", "deleteoption", "0");
  state_.DeleteFlags = std::atof(delete_option.c_str()) != 0 ? kDeleteToTrash : 0;
  WriteLog("Run directories " + std::to_string(state_.DirCount) + ", images " + std::to_string(state_.ImageTotal) +
           ", bytes " + std::to_string(state_.ByteTotal));

  GenerationRun run{state_, tree_, scripts, pages_, progress_, startup_};
  const RunEnd end = run.Run();
  counters_ = run.counters;
  WriteLog("Run END");
  switch (end) {
    case RunEnd::kFinished: return DriverResult::kFinished;
    case RunEnd::kCancelled: return DriverResult::kCancelled;
    default: return DriverResult::kRunFailed;
  }
}

}  // namespace velmora::app
