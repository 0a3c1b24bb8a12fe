// The user settings store over one INI file, reread when the file changes.
#include "settings/user_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <set>

#include "platform/log.h"
#include "platform/program_paths.h"
#include "platform/atomic_file.h"
#include "platform/temporary_files.h"
#include "settings/ini_document.h"

namespace velmora::settings {
namespace {

struct FileStamp {
  bool exists = false;
  struct timespec modified {};
  off_t size = 0;
  ino_t inode = 0;
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           size == o.size && inode == o.inode;
  }
};

FileStamp StampOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return FileStamp{true, info.st_mtim, info.st_size, info.st_ino};
}

// The parsed store, cached until the file (or its location) changes.
class Store {
 public:
  const IniDocument& Current() {
    // Changes held back for one write are newer than the file.
    if (pending_ && UserSettingsFile() == path_) return document_;
    const std::filesystem::path path = UserSettingsFile();
    const FileStamp stamp = StampOf(path);
    if (!loaded_ || path != path_ || !(stamp == stamp_)) Load(path, stamp);
    return document_;
  }

  int Write(const auto& change) {
    Current();
    IniDocument updated = document_;
    change(updated);
    // Storing what is stored already writes nothing.
    if (updated.Serialize() == document_.Serialize() && !corrupt_) return 0;
    document_ = std::move(updated);
    pending_ = true;
    return held_ > 0 ? 0 : Flush();
  }

  void Hold() { ++held_; }
  void Release() {
    if (held_ > 0 && --held_ == 0 && pending_) Flush();
  }

 private:
  int Flush() {
    pending_ = false;
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    if (!error && corrupt_) KeepCorruptFile();
    if (!error) error = WriteFileAtomically(path_, document_.Serialize(), Durability::kSynced);
    if (error) {
      loaded_ = false;  // the next read takes the file as it is
      return error.value();
    }
    corrupt_ = false;
    stamp_ = StampOf(path_);
    return 0;
  }

  void Load(const std::filesystem::path& path, const FileStamp& stamp) {
    // A write killed half-way left its temporary twin beside the store.
    if (swept_.insert(path.parent_path()).second) {
      const int removed = RemoveOrphanedTwins(path.parent_path());
      if (removed > 0) WriteLog("User settings: removed " + std::to_string(removed) + " temporary leftovers");
    }
    path_ = path;
    stamp_ = stamp;
    loaded_ = true;
    corrupt_ = false;
    document_ = IniDocument();
    if (!stamp.exists) return;
    std::string bytes;
    if (const std::error_code error = ReadWholeFile(path, bytes)) {
      WriteLog("User settings " + path.string() + " cannot be read (" + error.message() + "); using defaults");
      return;
    }
    auto parsed = IniDocument::Parse(bytes);
    if (auto* error = std::get_if<IniParseError>(&parsed)) {
      corrupt_ = true;
      WriteLog("User settings " + path.string() + " line " + std::to_string(error->line) + ": " + error->reason +
               "; using defaults, the file stays untouched until a setting is stored");
      return;
    }
    document_ = std::move(std::get<IniDocument>(parsed));
  }

  void KeepCorruptFile() {
    std::filesystem::path kept = path_;
    kept += ".corrupt";
    std::error_code error;
    std::filesystem::rename(path_, kept, error);
    WriteLog("User settings " + path_.string() + " replaced; the unreadable file is kept as " + kept.string());
  }

  std::filesystem::path path_;
  FileStamp stamp_;
  IniDocument document_;
  bool loaded_ = false;
  bool corrupt_ = false;
  bool pending_ = false;  // document_ holds changes the file does not have yet
  int held_ = 0;          // open UserSettingsWriteScopes
  std::set<std::filesystem::path> swept_;
};

Store& TheStore() {
  static Store store;
  return store;
}

}  // namespace

std::filesystem::path UserSettingsFile() { return UserConfigDirectory() / "velmora.ini"; }

std::string ReadUserSetting(std::string_view section, std::string_view name, std::string_view default_value) {
  const std::string* value = TheStore().Current().Find(section, name);
  return value != nullptr ? *value : std::string(default_value);
}

int WriteUserSetting(std::string_view section, std::string_view name, std::string_view text) {
  if (section.empty() || name.empty()) return EINVAL;
  return TheStore().Write([&](IniDocument& document) { document.Set(section, name, text); });
}

std::vector<std::pair<std::string, std::string>> ListUserSettings(std::string_view section) {
  const IniSection* found = TheStore().Current().Section(section);
  if (found == nullptr) return {};
  return found->values;
}

UserSettingsWriteScope::UserSettingsWriteScope() { TheStore().Hold(); }
UserSettingsWriteScope::~UserSettingsWriteScope() { TheStore().Release(); }

int DeleteUserSettingsSection(std::string_view section) {
  return TheStore().Write([&](IniDocument& document) { document.RemoveSection(section); });
}

}  // namespace velmora::settings
