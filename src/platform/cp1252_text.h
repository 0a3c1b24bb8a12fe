// Text in Windows-1252, the program's inner encoding. Settings, script values,
// language texts and messages hold it; file names and the terminal speak
// UTF-8. Keeping the two apart in the type system means every crossing is a
// visible conversion, and UTF-8 bytes can no longer slip into a message by
// accident (they would show as "enthÃ¤lt").
#pragma once

#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace velmora {

// A string literal checked while compiling to hold only ASCII, which reads
// the same in Windows-1252 and UTF-8. A literal with an umlaut typed into
// the (UTF-8) source file does not build.
class AsciiLiteral {
 public:
  template <std::size_t N>
  consteval AsciiLiteral(const char (&literal)[N]) : text_(literal, N - 1) {  // NOLINT: implicit on purpose
    for (const char c : text_) {
      if (static_cast<unsigned char>(c) >= 0x80) throw "only ASCII literals are Windows-1252 in every source file";
    }
  }
  constexpr std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

class Cp1252Text {
 public:
  Cp1252Text() = default;
  // The caller vouches that the bytes are Windows-1252 (a setting, a script
  // value, a text from the language tables).
  explicit Cp1252Text(std::string bytes) : bytes_(std::move(bytes)) {}
  explicit Cp1252Text(std::string_view bytes) : bytes_(bytes) {}

  static Cp1252Text Ascii(AsciiLiteral literal) { return Cp1252Text(literal.text()); }
  template <std::integral Integer>
  static Cp1252Text Number(Integer value) {
    return Cp1252Text(std::to_string(value));
  }

  // Nothing when the text is no valid UTF-8 or holds a character outside Windows-1252.
  static std::optional<Cp1252Text> FromUtf8(std::string_view utf8);
  // Never fails: what Windows-1252 cannot hold is spelled out ("\u{263A}",
  // "\xFF"), so that a message still names the file the user means.
  static Cp1252Text FromUtf8ForDisplay(std::string_view utf8);

  std::string ToUtf8() const;
  const std::string& bytes() const { return bytes_; }
  bool empty() const { return bytes_.empty(); }

  Cp1252Text& operator+=(const Cp1252Text& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  friend Cp1252Text operator+(Cp1252Text left, const Cp1252Text& right) { return left += right; }
  friend bool operator==(const Cp1252Text&, const Cp1252Text&) = default;

 private:
  std::string bytes_;
};

}  // namespace velmora
