// Drives the start of a batch run (run checks, output folders, cleaning,
// decoration and the pages of two tiny photos) with random setting values
// in a sandbox, and aborts when anything outside the clone folder was
// created, changed or deleted, or a photo of the run changed.
//
// Input: the first byte picks the directory level; then lines, each a key
// picked by its first byte from the list below and the value that follows.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/log.h"
#include "app/startup.h"
#include "image/image_io.h"
#include "image/codecs/codec_registry.h"
#include "settings/profile_data.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKeys[] = {
    "THUMB_DIRNAME", "HTML_BASE", "DECO_PATH", "HTML_INDEX_FILENAME", "HTML_FRAME_FILENAME", "HTML_EXTENSION",
    "HTML_DEFAULT", "THUMBDIR_CLEAN", "CLONE_DIRCLEAN", "HTML_DIRCLEAN", "GENERATE_CLONES", "THUMBNAILS",
    "GENERATE_HTML", "GENERATE_INDEX", "GENERATE_FRAME", "GENERATE_PICPAGE", "GENERATE_THUMBPAGES", "DECO_COPY",
    "DECO_SOURCE", "CLONE_RENAME", "CLONE_RENAME_MASK", "CLONE_RENAME_FIND", "CLONE_RENAME_REPLACE", "THUMB_RENAME",
    "THUMB_RENAME_MASK", "THUMB_RENAME_FIND", "THUMB_RENAME_REPLACE", "CLONE_SIZE", "THUMB_SIZE",
    "CLONE_SELECTED_SIDE", "THUMB_SELECTED_SIDE", "CLONE_APPEND_BASENAME", "HTML_INDEX_IN_BASEDIR",
    "HTML_FRAME_IN_BASEDIR", "THUMBS_PER_LINE", "LINES_PER_PAGE", "HTML_SPLIT", "CLONE_CONVERT", "FILTER",
    "CLONE_QUALITY", "THUMB_QUALITY", "DECO_COPY_EVER", "HTML_CHANGED",
};

// Every entry below `root` (but the skipped folders) with its kind, bytes
// and modification time.
using Tree = std::map<std::string, std::string>;

void Record(const fs::path& root, const std::vector<fs::path>& skipped, Tree& tree) {
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    const fs::path& path = it->path();
    bool skip = false;
    for (const fs::path& folder : skipped) skip = skip || path == folder;
    if (skip) {
      it.disable_recursion_pending();
      continue;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) continue;
    std::string facts = std::to_string(info.st_mode) + ":" + std::to_string(info.st_size) + ":" +
                        std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
    if (S_ISREG(info.st_mode)) {
      std::FILE* file = std::fopen(path.c_str(), "rb");
      if (file != nullptr) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) facts.append(buffer, n);
        std::fclose(file);
      }
    }
    tree[path.string()] = facts;
  }
}

struct Sandbox {
  fs::path root;
  fs::path work;  // made afresh for every input
  std::string photo;

  Sandbox() {
    char pattern[] = "/tmp/velmora-run-fuzz-XXXXXX";
    root = ::mkdtemp(pattern);
    work = root / "work";
    // The program's own files (settings store, log, trash) stay in the sandbox.
    setenv("HOME", (work / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
    velmora::image::RgbBuffer pixels(8, 8);
    const fs::path file = root / "photo.jpg";
    velmora::image::WriteImage(file, velmora::image::kImageTypeJpg, pixels);
    std::FILE* in = std::fopen(file.c_str(), "rb");
    char buffer[4096];
    for (std::size_t n; in != nullptr && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) photo.append(buffer, n);
    if (in != nullptr) std::fclose(in);
  }

  void Put(const fs::path& file, std::string_view bytes) const {
    fs::create_directories(file.parent_path());
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }

  // Photos for every level, a foreign folder, a home folder with a dot-file.
  void Fill() const {
    std::error_code error;
    fs::remove_all(work, error);
    for (const char* name : {"base/p0.jpg", "base/A/p1.jpg", "base/B/p2.JPG", "base/A/X/p3.jpg"}) {
      Put(work / name, photo);
    }
    Put(work / "victim" / "keep.txt", "keep");
    Put(work / "victim" / ".hidden", "dot");
    Put(work / "home" / ".bashrc", "mine");
    Put(work / "out" / "old.txt", "old output");
  }
};

Sandbox& TheSandbox() {
  static Sandbox sandbox;
  return sandbox;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Sandbox& box = TheSandbox();
  box.Fill();
  const fs::path base = box.work / "base";
  const fs::path out = box.work / "out";
  const int level = data[0] % 3;
  std::vector<std::string> arguments = {"velmora", "/Profile=Voreinstellung", "/Basedir=" + base.string(),
                                        "/Level=" + std::to_string(level), "/CLONE_PATH=" + out.string()};
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::size_t start = 0;
  while (start < text.size() && arguments.size() < 24) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    const std::string_view key = kKeys[static_cast<unsigned char>(line[0]) % std::size(kKeys)];
    std::string value(line.substr(1));
    std::erase(value, '\0');
    arguments.push_back("/" + std::string(key) + "=" + value);
  }

  Tree before;
  Record(box.work, {out}, before);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  velmora::RunProgram(static_cast<int>(argv.size()), argv.data());
  velmora::ProgramLog().Close();

  // The clone folder the run had: with clones off it is the base folder,
  // and then only the photos of the run's level must be as they were.
  const velmora::settings::SettingsTable& settings = velmora::settings::WorkingSettings();
  const bool clones = settings.Flag("GENERATE_CLONES");
  const fs::path clone_dir = clones ? out : base;
  Tree after;
  Record(box.work, {out, clone_dir}, after);
  for (const auto& [path, facts] : before) {
    if (fs::path(path) == clone_dir || path.starts_with(clone_dir.string() + "/")) {
      continue;
    }
    const auto found = after.find(path);
    if (found == after.end() || found->second != facts) {
      std::fprintf(stderr, "outside the clone folder changed or gone: %s\n", path.c_str());
      std::abort();
    }
  }
  for (const auto& [path, facts] : after) {
    if (!before.count(path)) {
      std::fprintf(stderr, "created outside the clone folder: %s\n", path.c_str());
      std::abort();
    }
  }
  // With clones off the base folder is the clone folder: the photos the
  // run reads must still be as they were.
  const std::vector<std::vector<const char*>> level_photos = {
      {"base/p0.jpg"}, {"base/A/p1.jpg", "base/B/p2.JPG"}, {"base/A/X/p3.jpg"}};
  for (const char* name : level_photos[static_cast<std::size_t>(level)]) {
    const fs::path photo = box.work / name;
    Tree now;
    Record(photo.parent_path(), {}, now);
    const auto was = before.find(photo.string());
    const auto is = now.find(photo.string());
    if (was == before.end() || is == now.end() || is->second != was->second) {
      std::fprintf(stderr, "photo of the run changed: %s\n", name);
      std::abort();
    }
  }
  return 0;
}
