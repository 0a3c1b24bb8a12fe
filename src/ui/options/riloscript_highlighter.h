// Syntax colouring of RiloScript: keywords, strings, numbers, comments,
// built-in function names and context variables, and in a template the
// literal text apart from the code in braces. The colours come from the
// user settings store (section "Syntaxhighlighting").
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

namespace velmora::ui {

enum class HighlightMode {
  kTemplate,  // literal text with code in braces (snippets, stamp texts)
  kCode,      // code only (modules, the image filter)
};

// What a piece of text is, for its colour.
enum class SyntaxRole { kText, kCode, kKeyword, kString, kNumber, kComment, kFunction, kVariable, kCount };

// The store's value names of the roles ("text", "keyword", ...).
const char* SyntaxRoleName(SyntaxRole role);

// The colours of every role: the stored ones, defaults for the missing.
// The defaults are written to the store on first use, so that a user finds
// every name there to change.
std::array<QColor, static_cast<std::size_t>(SyntaxRole::kCount)> LoadSyntaxColours();

class RiloScriptHighlighter final : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  RiloScriptHighlighter(QTextDocument* document, HighlightMode mode);

  // The role the highlighter gave the character at `position` of `block`
  // (tests and screen readers' hints).
  static SyntaxRole RoleAt(const QTextBlock& block, int position, const std::array<QColor, static_cast<std::size_t>(SyntaxRole::kCount)>& colours);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  void Paint(int start, int length, SyntaxRole role);
  // Colours code from `start` until the brace that closes the template's
  // code part; returns where the code ended (text.size() when it goes on).
  int HighlightCode(const QString& text, int start, int& depth);

  HighlightMode mode_;
  std::array<QTextCharFormat, static_cast<std::size_t>(SyntaxRole::kCount)> formats_;
};

}  // namespace velmora::ui
