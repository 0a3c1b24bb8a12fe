// Files: reading and writing texts, existence and the pieces of a path.
#include "script/builtins/files.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/atomic_file.h"
#include "script/builtins/arguments.h"
#include "script/builtins/text_lists.h"

namespace velmora::script {
namespace {

namespace fs = std::filesystem;

// Paths from Windows profiles ("C:\Bilder", "C:") name drives that do not
// exist here.
bool IsWindowsDrivePath(std::string_view path) {
  const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return letter && (path.size() == 1 || path[1] == ':');
}

// A missing folder is error 20; anything else about the file error 4. Both
// name the file in the log.
void FailForFile(BuiltinCall& call, const fs::path& path, std::string_view why) {
  std::error_code ec;
  const fs::path parent = path.parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) {
    return call.Fail(rterr::kDirNotExist, PathForReport(parent));
  }
  call.Fail(rterr::kParameter, std::string(why) + ": " + PathForReport(path));
}

// The whole file, or nothing after a reported error. Only text is read:
// a NUL byte marks an image or other binary file given by mistake.
std::optional<std::string> LoadTextFile(BuiltinCall& call, const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    FailForFile(call, path, "file not found");
    return std::nullopt;
  }
  if (fs::is_directory(path, ec)) {
    FailForFile(call, path, "a folder, not a file");
    return std::nullopt;
  }
  // Devices and pipes would block or never end (/dev/zero).
  if (!fs::is_regular_file(path, ec)) {
    FailForFile(call, path, "not a regular file");
    return std::nullopt;
  }
  const auto size = fs::file_size(path, ec);
  if (!ec && size > kMaxStringBytes) {
    FailForFile(call, path, "file too large to read as text");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (!in || !(bytes << in.rdbuf()) || in.bad()) {
    // An empty file fails the stream copy without being unreadable.
    if (in && !in.bad() && bytes.str().empty()) return std::string();
    FailForFile(call, path, "file cannot be read");
    return std::nullopt;
  }
  std::string text = std::move(bytes).str();
  if (text.find('\0') != std::string::npos) {
    FailForFile(call, path, "not a text file");
    return std::nullopt;
  }
  return text;
}

// Lines `from` to `to` (1-based, inclusive, 0 = no bound) joined by CR LF.
Value LineRange(std::string_view text, std::int32_t from, std::int32_t to) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const std::size_t first = from < 1 ? 0 : static_cast<std::size_t>(from) - 1;
  std::size_t last = to < 1 ? lines.size() : static_cast<std::size_t>(to);
  if (last > lines.size()) last = lines.size();
  if (from >= 1 && first >= lines.size()) return Value::Symbol(kSymEod);
  std::string out;
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) out += "\r\n";
    out.append(lines[i]);
  }
  return Value::String(out);
}

// Writes by replacing the file through a temporary twin, so that a full disk
// never leaves half a file behind.
bool ReplaceFile(const fs::path& path, std::string_view bytes, std::string& why) {
  const std::error_code error = WriteFileAtomically(path, bytes, Durability::kRenameOnly);
  if (error) why = "file cannot be written (" + error.message() + ")";
  return !error;
}

bool AppendFile(const fs::path& path, std::string_view bytes, std::string& why) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
    why = "file cannot be written";
    return false;
  }
  return true;
}

std::string WithLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += "\r\n";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

void kif_read(BuiltinCall& call) {
  if (!call.CheckCount(1, 3)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  const Value& second = call.Arg(2);
  std::int32_t list = 0;
  if (call.count() == 2 && second.is(ValueType::kSymbol)) {
    list = second.symbol();
    if (list != kSymInifile && list != kSymIonfile) return call.Fail(rterr::kParameter, "the format is @INIFILE or @IONFILE");
  } else {
    for (int k = 2; k <= call.count(); ++k) {
      if (!call.Arg(k).is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
      if (call.Arg(k).integer() < 0) return call.Fail(rterr::kParameter, "line numbers count from 1");
    }
  }
  const fs::path path = ScriptPath(call.Arg(1).text());
  if (!CheckFileAccess(call, path, FileUse::kRead)) return;
  const auto text = LoadTextFile(call, path);
  if (!text) return;
  if (list == kSymInifile) return call.SetResult(ParseIniText(*text));
  if (list == kSymIonfile) return call.SetResult(ParseDescriptionList(*text));
  const std::int32_t from = call.count() >= 2 ? second.integer() : 0;
  const std::int32_t to = call.count() == 3 ? call.Arg(3).integer() : 0;
  call.SetResult(LineRange(*text, from, to));
}

void kif_write(BuiltinCall& call) {
  if (!call.CheckCount(1, 3)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  if (call.count() == 1) return call.Fail(rterr::kParameter, "nothing to write");
  bool append = false;
  if (call.count() == 3) {
    if (!call.Arg(2).is(ValueType::kSymbol)) return call.Fail(rterr::kParametertype);
    if (call.Arg(2).symbol() != kSymAppend) return call.Fail(rterr::kParameter, "the option is @APPEND");
    append = true;
  }
  const Value& value = call.Arg(call.count());
  if (value.is(ValueType::kArray)) return call.Fail(rterr::kParametertype);
  const std::string bytes =
      value.is(ValueType::kString) ? WithLineBreaks(value.text()) : ArgumentText(call, value).value_or("");
  const fs::path path = ScriptPath(call.Arg(1).text());
  if (!CheckFileAccess(call, path, FileUse::kWrite)) return;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return FailForFile(call, path, "a folder, not a file");
  std::string why;
  if (!(append ? AppendFile(path, bytes, why) : ReplaceFile(path, bytes, why))) return FailForFile(call, path, why);
  call.SetResult(Bool(true));
}

void kif_exist(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  if (!call.Arg(1).is(ValueType::kString)) return call.Fail(rterr::kParametertype);
  const std::string_view name = call.Arg(1).text();
  if (name.empty() || IsWindowsDrivePath(name)) return call.SetResult(Bool(false));
  // Whether a file exists is itself something a script may not learn everywhere.
  const fs::path path = ScriptPath(name);
  if (!CheckFileAccess(call, path, FileUse::kRead)) return;
  std::error_code ec;
  call.SetResult(Bool(fs::exists(path, ec)));
}

void kif_filenamepart(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  if (!call.Arg(1).is(ValueType::kString) || !call.Arg(2).is(ValueType::kSymbol)) {
    return call.Fail(rterr::kParametertype);
  }
  std::string_view rest = call.Arg(1).text();
  // Only a Windows drive ("C:") counts as drive; a ":" inside a Linux path is part of a name.
  std::string_view drive;
  if (rest.size() >= 2 && rest[1] == ':' && IsWindowsDrivePath(rest)) {
    drive = rest.substr(0, 1);
    rest.remove_prefix(2);
  }
  std::string_view directory;
  std::size_t last = rest.size();
  while (last > 0 && !IsSeparator(rest[last - 1])) --last;
  if (last > 0) {
    directory = rest.substr(0, last - 1);
    if (!directory.empty() && IsSeparator(directory.front())) directory.remove_prefix(1);
    rest.remove_prefix(last);
  }
  const std::size_t dot = rest.rfind('.');
  const std::string_view name = dot == std::string_view::npos ? rest : rest.substr(0, dot);
  const std::string_view type = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
  switch (call.Arg(2).symbol()) {
    case kSymDrivename: return call.SetResult(Value::String(drive));
    case kSymDirname: return call.SetResult(Value::String(directory));
    case kSymFilename: return call.SetResult(Value::String(name));
    case kSymFiletype: return call.SetResult(Value::String(type));
    default: return call.Fail(rterr::kParameter, "the part is @DRIVENAME, @DIRNAME, @FILENAME or @FILETYPE");
  }
}

}  // namespace velmora::script
