// velmora-make-profile: writes a complete system profile of the current
// version from a short file of the settings that differ from the defaults.
// The short file uses the profile grammar itself (key lines, "+" lines) and
// may be UTF-8; the result is the profile writer's own Windows-1252 CR LF text.
//
//   velmora-make-profile scripts/profiles/Modern.txt data/profiles/Modern.vlp
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_encoding.h"
#include "image/clone_list/clone_effekte.h"
#include "settings/profile_reader.h"
#include "settings/profile_writer.h"
#include "settings/program_version.h"

int main(int argc, char** argv) {
  using namespace velmora;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <changed settings> <profile.vlp>\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<std::string> text = Utf8ToCp1252(source);
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  if (!text) {
    std::fprintf(stderr, "%s: holds characters outside Windows-1252\n", argv[1]);
    return 1;
  }
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  if (const auto error = settings::ReadProfileText(*text, table, clones, modules)) {
    std::fprintf(stderr, "%s:%d: error %d: %s\n", argv[1], error->line_number, error->number, error->line_text.c_str());
    return 1;
  }
  table.Set("VERSION", std::string(kProgramVersionText));
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << settings::WriteProfileText(table, clones, modules);
  if (!out.flush()) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
