// RiloScript syntax colouring.
#include "ui/options/riloscript_highlighter.h"

#include <QSet>
#include <QTextBlock>
#include <QTextLayout>

#include "app/run/context_variables.h"
#include "script/builtins/builtin.h"
#include "script/lexer.h"
#include "script/token.h"
#include "settings/user_settings.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kSection = "Syntaxhighlighting";

constexpr std::array<const char*, static_cast<std::size_t>(SyntaxRole::kCount)> kRoleNames{
    "text", "code", "keyword", "string", "number", "comment", "function", "variable"};

// Colour values as the store keeps every colour (blue * 65536 + green * 256 + red).
constexpr std::array<long, static_cast<std::size_t>(SyntaxRole::kCount)> kDefaults{
    0x505050,  // text: grey, so that the code stands out
    0x000000,  // code
    0x8B0000,  // keyword: dark blue
    0x008000,  // string: green
    0x8000C0,  // number: purple-red
    0x808080,  // comment
    0x806000,  // function: teal
    0x0060C0,  // variable: orange-brown
};

QColor FromValue(long value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF), static_cast<int>((value >> 16) & 0xFF));
}

const QSet<QString>& BuiltinNames() {
  static const QSet<QString> names = [] {
    QSet<QString> set;
    for (const auto& entry : script::BuiltinTable()) set.insert(QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    return set;
  }();
  return names;
}

const QSet<QString>& ContextNames() {
  static const QSet<QString> names = [] {
    QSet<QString> set;
    for (int i = 0; i < static_cast<int>(app::Ctx::kCount); ++i) {
      const std::string_view name = app::ContextVariableName(static_cast<app::Ctx>(i));
      set.insert(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    return set;
  }();
  return names;
}

bool IsNameStart(QChar c) { return c.isLetter() || c == u'_' || c == u'@'; }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

}  // namespace

const char* SyntaxRoleName(SyntaxRole role) { return kRoleNames[static_cast<std::size_t>(role)]; }

std::array<QColor, static_cast<std::size_t>(SyntaxRole::kCount)> LoadSyntaxColours() {
  std::array<QColor, static_cast<std::size_t>(SyntaxRole::kCount)> colours;
  const settings::UserSettingsWriteScope one_write;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const std::string stored = settings::ReadUserSetting(kSection, kRoleNames[i]);
    long value = kDefaults[i];
    bool ok = false;
    const long parsed = QString::fromStdString(stored).trimmed().toLong(&ok);
    if (ok && parsed >= 0 && parsed <= 0xFFFFFF) {
      value = parsed;
    } else {
      settings::WriteUserSetting(kSection, kRoleNames[i], std::to_string(value));
    }
    colours[i] = FromValue(value);
  }
  return colours;
}

RiloScriptHighlighter::RiloScriptHighlighter(QTextDocument* document, HighlightMode mode)
    : QSyntaxHighlighter(document), mode_(mode) {
  const auto colours = LoadSyntaxColours();
  for (std::size_t i = 0; i < formats_.size(); ++i) formats_[i].setForeground(colours[i]);
  formats_[static_cast<std::size_t>(SyntaxRole::kKeyword)].setFontWeight(QFont::Bold);
  formats_[static_cast<std::size_t>(SyntaxRole::kComment)].setFontItalic(true);
  formats_[static_cast<std::size_t>(SyntaxRole::kText)].setFontItalic(mode == HighlightMode::kTemplate);
}

void RiloScriptHighlighter::Paint(int start, int length, SyntaxRole role) {
  if (length > 0) setFormat(start, length, formats_[static_cast<std::size_t>(role)]);
}

// The block state is the brace depth of the template's code at the end of
// the line (0: literal text), so a code part may span lines.
void RiloScriptHighlighter::highlightBlock(const QString& text) {
  int depth = std::max(previousBlockState(), 0);
  if (mode_ == HighlightMode::kCode) depth = 1;
  int pos = 0;
  while (pos < text.size()) {
    if (depth == 0) {
      const int brace = text.indexOf(u'{', pos);
      const int end = brace < 0 ? static_cast<int>(text.size()) : brace;
      Paint(pos, end - pos, SyntaxRole::kText);
      if (brace < 0) break;
      Paint(brace, 1, SyntaxRole::kCode);
      depth = 1;
      pos = brace + 1;
      continue;
    }
    pos = HighlightCode(text, pos, depth);
  }
  setCurrentBlockState(mode_ == HighlightMode::kCode ? 1 : depth);
}

int RiloScriptHighlighter::HighlightCode(const QString& text, int start, int& depth) {
  int pos = start;
  const int size = static_cast<int>(text.size());
  while (pos < size) {
    const QChar c = text[pos];
    if (c == u'"') {
      int end = pos + 1;
      while (end < size) {
        if (text[end] == u'"') {
          if (end + 1 < size && text[end + 1] == u'"') {
            end += 2;
            continue;
          }
          ++end;
          break;
        }
        ++end;
      }
      Paint(pos, end - pos, SyntaxRole::kString);
      pos = end;
    } else if (c == u'/' && pos + 1 < size && text[pos + 1] == u'/') {
      Paint(pos, size - pos, SyntaxRole::kComment);
      return size;
    } else if (c.isDigit() || (c == u'.' && pos + 1 < size && text[pos + 1].isDigit())) {
      int end = pos + 1;
      while (end < size && (text[end].isLetterOrNumber() || text[end] == u'.')) ++end;
      Paint(pos, end - pos, SyntaxRole::kNumber);
      pos = end;
    } else if (IsNameStart(c)) {
      int end = pos + 1;
      while (end < size && IsNameChar(text[end])) ++end;
      const QString name = text.mid(pos, end - pos);
      const std::string latin = name.toLower().toStdString();
      SyntaxRole role = SyntaxRole::kCode;
      if (c == u'@' || script::KeywordKind(latin) != script::tok::kIdentifier) {
        role = SyntaxRole::kKeyword;
      } else if (BuiltinNames().contains(name.toLower())) {
        role = SyntaxRole::kFunction;
      } else if (ContextNames().contains(name)) {
        role = SyntaxRole::kVariable;
      }
      Paint(pos, end - pos, role);
      pos = end;
    } else if (c == u'{') {
      Paint(pos, 1, SyntaxRole::kCode);
      ++depth;
      ++pos;
    } else if (c == u'}') {
      Paint(pos, 1, SyntaxRole::kCode);
      ++pos;
      if (mode_ == HighlightMode::kTemplate && --depth == 0) return pos;
      if (depth < 1) depth = 1;
    } else {
      Paint(pos, 1, SyntaxRole::kCode);
      ++pos;
    }
  }
  return size;
}

SyntaxRole RiloScriptHighlighter::RoleAt(const QTextBlock& block, int position,
                                         const std::array<QColor, static_cast<std::size_t>(SyntaxRole::kCount)>& colours) {
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (position < range.start || position >= range.start + range.length) continue;
    const QColor colour = range.format.foreground().color();
    for (std::size_t i = 0; i < colours.size(); ++i) {
      if (colours[i] == colour) return static_cast<SyntaxRole>(i);
    }
  }
  return SyntaxRole::kCode;
}

}  // namespace velmora::ui
