// velmora-make-profile: writes a complete system profile of the current
// version from short files of the settings that differ from the defaults,
// each read on top of the ones before it (a profile that builds on another
// names that one's file first). A short file uses the profile grammar itself
// (key lines, "+" lines) and may be UTF-8; the result is the profile writer's
// own Windows-1252 CR LF text.
//
//   velmora-make-profile scripts/profiles/Modern.txt data/profiles/Modern.vlp
//   velmora-make-profile scripts/profiles/Voreinstellung.txt scripts/profiles/Copyright.txt
//     data/profiles/Copyright.vlp           (one line)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_encoding.h"
#include "image/clone_list/clone_effekte.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"
#include "settings/program_version.h"

namespace {

// Reads one short file on top of what the ones before it set; false after
// saying why on stderr.
bool ReadChanges(const char* path, velmora::settings::SettingsTable& table, velmora::image::CCloneEffekte& clones,
                 velmora::settings::RLModule& modules) {
  using namespace velmora;
  std::ifstream in(path, std::ios::binary);
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<std::string> text = Utf8ToCp1252(source);
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "%s: cannot be read\n", path);
    return false;
  }
  if (!text) {
    std::fprintf(stderr, "%s: holds characters outside Windows-1252\n", path);
    return false;
  }
  if (const auto error = settings::ReadProfileText(*text, table, clones, modules)) {
    std::fprintf(stderr, "%s:%d: error %d: %s\n", path, error->line_number, error->number, error->line_text.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <changed settings>... <profile.vlp>\n", argv[0]);
    return 2;
  }
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  for (int i = 1; i < argc - 1; ++i) {
    if (!ReadChanges(argv[i], table, clones, modules)) return 1;
  }
  table.Set("VERSION", std::string(kProgramVersionText));
  const char* target = argv[argc - 1];
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out << settings::WriteProfileText(table, clones, modules);
  if (!out.flush()) {
    std::fprintf(stderr, "%s: cannot be written\n", target);
    return 1;
  }
  return 0;
}
