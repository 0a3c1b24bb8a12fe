// A folder of its own for one test, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Points the user's configuration, data and state folders below `root` and
// selects the built-in German texts whatever the machine's locale, for tests
// that start the real program.
void UseHomeBelow(const std::filesystem::path& root);

// Whole-file helpers for fixtures: bytes in, bytes out, no conversion.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace velmora::test
