// Texts and names between the program's Windows-1252 and Qt's Unicode
// strings: captions and messages come from the language tables, folder names
// from the file system.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::ui {

// A Windows-1252 text with CR LF or LF line breaks as Qt shows it (LF).
QString FromCp1252(std::string_view text);
// Nothing when the text holds a character Windows-1252 lacks.
std::optional<std::string> ToCp1252(const QString& text);

QString FromNative(const std::filesystem::path& path);
std::filesystem::path ToNative(const QString& path);

// A language text by section and key, ready to show.
QString Text(std::string_view section, std::string_view key);

}  // namespace velmora::ui
