// Text conversions for the window.
#include "ui/qt_text.h"

#include "lang/messages.h"
#include "platform/text_encoding.h"

namespace velmora::ui {

QString FromCp1252(std::string_view text) {
  QString shown = QString::fromStdString(Cp1252ToUtf8(text));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

std::optional<std::string> ToCp1252(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString FromNative(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path ToNative(const QString& path) { return std::filesystem::path(path.toStdString()); }

QString Text(std::string_view section, std::string_view key) { return FromCp1252(lang::GetText(section, key)); }

}  // namespace velmora::ui
