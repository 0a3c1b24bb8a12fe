#include "exiftool_tags.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace velmora::metadata::test {
namespace {

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::optional<std::string> Output(const std::string& command) {
  struct Closer {
    void operator()(std::FILE* f) const { pclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> pipe(popen(command.c_str(), "r"));
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, got);
  return out;
}

}  // namespace

bool ExiftoolAvailable() { return std::system("exiftool -ver >/dev/null 2>&1") == 0; }

std::optional<std::map<std::string, ExiftoolTags>> RunExiftool(const std::vector<std::filesystem::path>& files) {
  std::string command = "exiftool -n -G1 -a -args -sep ,";
  for (const std::filesystem::path& file : files) command += " " + Quoted(file.string());
  const std::optional<std::string> text = Output(command + " 2>/dev/null");
  if (!text || text->empty()) return std::nullopt;
  std::map<std::string, ExiftoolTags> by_file;
  std::istringstream lines(*text);
  std::string line;
  // With several files, "======== file" heads each file's lines.
  ExiftoolTags* current = files.size() == 1 ? &by_file[files.front().string()] : nullptr;
  while (std::getline(lines, line)) {
    if (line.starts_with("======== ")) {
      current = &by_file[line.substr(9)];
    } else if (current != nullptr && line.starts_with("-") && line.find('=') != std::string::npos) {
      const std::size_t equals = line.find('=');
      (*current)[line.substr(1, equals - 1)] = line.substr(equals + 1);
    }
  }
  return by_file;
}

}  // namespace velmora::metadata::test
