// Script modules and the script file format.
#include "script/modules.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/native_path.h"
#include "platform/text_lines.h"
#include "lang/messages.h"
#include "script/ansi.h"

namespace velmora::script {
namespace {

constexpr std::string_view kCompilerTitle = "RiloScript Compiler";

Cp1252Text DisplayName(const std::filesystem::path& path) { return FromNativePathOrBytes(path); }

bool SameName(std::string_view a, std::string_view b) { return AnsiLower(a) == AnsiLower(b); }

}  // namespace

void RLModule::Add(RLModul module) {
  if (RLModul* existing = Find(module.name)) {
    *existing = std::move(module);
  } else {
    modules_.push_back(std::move(module));
  }
}

RLModul* RLModule::Find(std::string_view name) {
  for (RLModul& m : modules_) {
    if (SameName(m.name, name)) return &m;
  }
  return nullptr;
}

bool RLModule::Remove(std::string_view name) {
  for (std::size_t i = 0; i < modules_.size(); ++i) {
    if (SameName(modules_[i].name, name)) {
      RemoveAt(i);
      return true;
    }
  }
  return false;
}

bool RLModule::AnyChanged() const {
  for (const RLModul& m : modules_) {
    if (m.changed) return true;
  }
  return false;
}

void RLModule::ResetChanged() {
  for (RLModul& m : modules_) m.changed = false;
}

bool LoadScriptFile(const std::filesystem::path& path, RLModule& modules) {
  modules.Clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    lang::ShowMessage(kCompilerTitle, lang::kIconExclamation, "ErrRLSFileOpen",
                      {Cp1252Text::Number(errno), DisplayName(path)});
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  RLModul* current = nullptr;
  int number = 0;
  for (std::string_view raw : SplitLines(text)) {
    ++number;
    const std::string_view line = TrimLeftBlanks(raw);
    if (line.empty() || line.front() == '*') continue;
    if (line.starts_with("!*")) {
      const std::string name(TrimBlanks(line.substr(2)));
      modules.Add(RLModul{name, "", kModuleNotCompiled, false});
      current = modules.Find(name);
      continue;
    }
    if (line.starts_with("!+") && current != nullptr) {
      if (!current->content.empty()) current->content += "\r\n";
      current->content += line.substr(2);
      continue;
    }
    lang::ShowMessage(kCompilerTitle, lang::kIconExclamation, "ErrRLSFileRead",
                      {Cp1252Text::Ascii("1"), DisplayName(path), Cp1252Text::Number(number), Cp1252Text(raw)});
    modules.ResetChanged();
    return false;
  }
  modules.ResetChanged();
  return true;
}

bool StoreScriptFile(const std::filesystem::path& path, RLModule& modules) {
  std::string text;
  for (const RLModul& m : modules.all()) {
    text += "!*" + m.name + "\r\n";
    if (m.content.empty()) continue;
    for (std::string_view line : SplitLines(m.content)) {
      text += "!+";
      text += line;
      text += "\r\n";
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    lang::ShowMessage(kCompilerTitle, lang::kIconExclamation, "ErrRLSFileCreate",
                      {Cp1252Text::Number(errno), DisplayName(path)});
    return false;
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    lang::ShowMessage(kCompilerTitle, lang::kIconExclamation, "ErrRLSFileWrite",
                      {Cp1252Text::Number(errno), DisplayName(path)});
    return false;
  }
  modules.ResetChanged();
  return true;
}

}  // namespace velmora::script
