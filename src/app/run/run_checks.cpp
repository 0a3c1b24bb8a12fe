// The run driver's checks of the active settings.
#include "app/run/run_checks.h"

#include <cerrno>
#include <stdexcept>

#include "platform/native_path.h"
#include "platform/path_join.h"
#include "platform/program_paths.h"
#include "app/run/clone_pictures.h"
#include "app/run/output_names.h"
#include "app/run/setting_ranges.h"
#include "image/clone_list/clone_list.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/rename/rename_check.h"
#include "image/stamps/option_value_checks.h"
#include "lang/keyed_collection.h"
#include "lang/messages.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

// The rename settings of clones and of thumbnails, by the prefix their keys share.
struct RenameKeys {
  std::string_view prefix;
  settings::SettingKey mask, digits, find, replace, letter_case;
};

constexpr RenameKeys kRenameKeys[] = {
    {"CLONE", "CLONE_RENAME_MASK", "CLONE_RENAME_DIGITS", "CLONE_RENAME_FIND", "CLONE_RENAME_REPLACE",
     "CLONE_RENAME_CASE"},
    {"THUMB", "THUMB_RENAME_MASK", "THUMB_RENAME_DIGITS", "THUMB_RENAME_FIND", "THUMB_RENAME_REPLACE",
     "THUMB_RENAME_CASE"},
};

bool Fail(lang::MessageKey key, const lang::MessageParameters& parameters = {}) {
  lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, key, parameters);
  return false;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && path.front() == '/') || (path.size() > 1 && path[1] == ':') || path.starts_with("\\\\");
}

// A stamp or frame picture that cannot be read would fail every clone. The
// pictures are read whole, as the clones will use them, and kept for them.
bool CheckClonePictures(RunState& state) {
  state.Pictures = std::make_shared<ClonePictures>();
  for (const image::CloneItem& item : settings::WorkingCloneList()) {
    const std::shared_ptr<const image::StampPicture> picture = PictureOf(item, *state.Pictures);
    if (picture == nullptr || picture->loaded) continue;
    const image::PictureLoadFailure& failure = picture->failure;
    const lang::MessageKey key =
        item.Kind() == image::CloneItemKind::kImageStamp ? lang::MessageKey("ErrImagestamp") : lang::MessageKey("ErrBorderImage");
    return Fail(key, {Cp1252Text(picture->file), Cp1252Text::Number(failure.number), Cp1252Text(failure.source),
                      Cp1252Text(failure.description)});
  }
  return true;
}

// The option page's limits of a text stamp. A profile edited by hand may
// hold anything; the run refuses it with the page's message before anything
// is written rather than drawing a stamp no one could have set.
bool CheckTextStamps() {
  for (const image::CloneItem& item : settings::WorkingCloneList()) {
    if (item.Kind() != image::CloneItemKind::kTextStamp) continue;
    const auto failure = image::CheckTextStampValues(static_cast<const image::CTextStamp&>(item));
    if (failure) return Fail(failure->key, failure->parameters);
  }
  return true;
}

bool SameDirectory(const Cp1252Text& a, const Cp1252Text& b) {
  if (lang::FoldCase(WithoutTrailingSlash(a.bytes())) == lang::FoldCase(WithoutTrailingSlash(b.bytes()))) return true;
  std::error_code error;
  return std::filesystem::equivalent(ToNativePath(a), ToNativePath(b), error);
}

bool CheckCloneNames(const settings::SettingsTable& settings, RunState& state) {
  state.CloneDir = CloneDirOf(settings, state.BaseDir);
  if (state.CloneDir.empty()) return Fail("ErrClonesMissingDir");
  if (settings.Flag("CLONE_RENAME")) {
    if (const auto failure = image::CheckRenameSettings(ReadRenameSettings(settings, "CLONE"))) return Fail(*failure);
  }
  return true;
}

// Thumbnail names pass the checks of clone names: an empty mask would
// otherwise write hidden files named ".jpg", a mask with a path leave the
// thumbnail folder.
bool CheckThumbNames(const settings::SettingsTable& settings) {
  if (!settings.Flag("THUMBNAILS") || !settings.Flag("THUMB_RENAME")) return true;
  if (const auto failure = image::CheckRenameSettings(ReadRenameSettings(settings, "THUMB"))) return Fail(*failure);
  return true;
}

// Names and numbers are checked before the clone directory is created, so
// that a refused run leaves no trace.
bool CheckNamesAndRanges(const settings::SettingsTable& settings, RunState& state) {
  if (settings.Flag("GENERATE_CLONES") && !CheckCloneNames(settings, state)) return false;
  if (!CheckThumbNames(settings)) return false;
  if (const auto failure = CheckOutputNames(settings)) return Fail(*failure);
  if (const auto failure = CheckSettingRanges(settings)) return Fail(*failure);
  return !settings.Flag("GENERATE_CLONES") || CheckTextStamps();
}

bool CheckClones(RunState& state) {
  std::error_code error;
  const Cp1252Text& clone_dir = state.CloneDir;
  std::filesystem::create_directories(ToNativePath(clone_dir), error);
  if (error || !std::filesystem::is_directory(ToNativePath(clone_dir))) {
    return Fail("ErrClonesErrMkdir", {Cp1252Text::Number(error ? error.value() : ENOTDIR), clone_dir});
  }
  if (SameDirectory(clone_dir, state.BaseDir)) return Fail("ErrClonesDirIsBase", {clone_dir});
  return CheckClonePictures(state);
}

bool CheckHtml(const settings::SettingsTable& settings) {
  if (settings.Flag("DECO_COPY")) {
    const std::string& source = settings.Text("DECO_SOURCE");
    if (source.empty()) return Fail("ErrDecoMissingSource");
    const std::filesystem::path directory = ResolveDecoSource(source);
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
      return Fail("ErrDecoSourceNotExist", {FromNativePath(directory).value_or(Cp1252Text(source))});
    }
  }
  const bool any_page = settings.Flag("GENERATE_FRAME") || settings.Flag("GENERATE_INDEX") ||
                        settings.Flag("GENERATE_THUMBPAGES") || settings.Flag("GENERATE_PICPAGE");
  return any_page || Fail("ErrHTMLNothingToDo");
}

}  // namespace

Cp1252Text CloneDirOf(const settings::SettingsTable& settings, const Cp1252Text& base_dir) {
  Cp1252Text clone_dir(settings.Text("CLONE_PATH"));
  if (clone_dir.empty() || !settings.Flag("CLONE_APPEND_BASENAME")) return clone_dir;
  const std::string base = WithoutTrailingSlash(base_dir.bytes());
  const std::size_t slash = base.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? base : base.substr(slash + 1);
  if (name.empty() || name == "/") return clone_dir;
  return Cp1252Text(Join(WithoutTrailingSlash(clone_dir.bytes()), name));
}

image::RenameSettings ReadRenameSettings(const settings::SettingsTable& settings, std::string_view prefix) {
  for (const RenameKeys& keys : kRenameKeys) {
    if (keys.prefix != prefix) continue;
    return image::RenameSettings::FromTexts(settings.Text(keys.mask), settings.Text(keys.digits),
                                            settings.Text(keys.find), settings.Text(keys.replace),
                                            settings.Text(keys.letter_case));
  }
  throw std::logic_error("no rename settings for " + std::string(prefix));
}

std::filesystem::path ResolveDecoSource(const std::string& deco_source) {
  const std::filesystem::path native = ToNativePath(Cp1252Text(deco_source));
  if (IsAbsolute(deco_source)) return native;
  return ProgramDirectory() / "decopool" / native;
}

bool CheckRunSettings(const settings::SettingsTable& settings, RunState& state) {
  if (!CheckNamesAndRanges(settings, state)) return false;
  if (settings.Flag("GENERATE_CLONES")) {
    if (!CheckClones(state)) return false;
  } else {
    state.CloneDir = state.BaseDir;
  }
  return !settings.Flag("GENERATE_HTML") || CheckHtml(settings);
}

}  // namespace velmora::app
