// Display forms of EXIF values.
#include "metadata/exif_display.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/text_encoding.h"

namespace velmora::metadata {
namespace {

using Values = std::span<const std::string>;

std::optional<std::int64_t> IntegerOf(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\0' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A number with at least `min_decimals` and at most `max_decimals`
// decimals, "." as separator: the patterns "0", "0.0#", "0.00", "0.000".
std::string Decimal(double value, int min_decimals, int max_decimals) {
  const int size = std::snprintf(nullptr, 0, "%.*f", max_decimals, value);
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", max_decimals, value);
  text.resize(static_cast<std::size_t>(size));
  const std::size_t dot = text.find('.');
  if (dot != std::string::npos) {
    const std::size_t keep = min_decimals == 0 ? dot : dot + 1 + static_cast<std::size_t>(min_decimals);
    while (text.size() > keep && text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  // A tiny negative value rounds to "-0.0", which no one writes.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string JoinShortened(const std::vector<std::string>& firsts, std::size_t total) {
  std::string text;
  for (std::size_t i = 0; i < firsts.size(); ++i) {
    if (i > 0) text += ',';
    text += firsts[i];
  }
  if (total > kDisplayListLimit) text += ",...(" + std::to_string(total) + ")";
  return text;
}

template <class Format>
std::string EachComponent(Values values, Format format) {
  std::vector<std::string> firsts;
  const std::size_t shown = std::min(values.size(), kDisplayListLimit);
  firsts.reserve(shown);
  for (std::size_t i = 0; i < shown; ++i) {
    const std::optional<double> number = ComponentNumber(values[i]);
    firsts.push_back(number ? format(*number, values[i]) : values[i]);
  }
  return JoinShortened(firsts, values.size());
}

// Every component an integer with a label: the labels.
std::optional<std::string> Labels(Values values, const ExifTag* definition) {
  if (definition == nullptr || definition->labels.empty() || values.empty()) return std::nullopt;
  std::vector<std::string> firsts;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<std::int64_t> value = IntegerOf(values[i]);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
    const ExifTagNice* label = definition->Label(static_cast<std::int32_t>(*value));
    if (label == nullptr) return std::nullopt;
    if (i < kDisplayListLimit) firsts.push_back(label->text);
  }
  return JoinShortened(firsts, values.size());
}

// BYTE and UNDEFINED values back into their bytes; none when a component
// is no byte.
std::optional<std::string> Bytes(Values values) {
  std::string bytes;
  bytes.reserve(values.size());
  for (const std::string& v : values) {
    const std::optional<std::int64_t> byte = IntegerOf(v);
    if (!byte || *byte < -128 || *byte > 255) return std::nullopt;
    bytes += static_cast<char>(static_cast<std::uint8_t>(*byte));
  }
  return bytes;
}

std::string UpToZero(std::string_view bytes) { return std::string(Trimmed(bytes.substr(0, bytes.find('\0')))); }

std::string ExposureTime(double seconds) {
  if (seconds > 0 && seconds < 1) return "1/" + Decimal(1.0 / seconds, 0, 1);
  return Decimal(seconds, 1, 2);
}

std::string GpsCoordinate(Values values) {
  if (values.empty() || values.size() > 3) return JoinComponents(values);
  double parts[3] = {0, 0, 0};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<double> number = ComponentNumber(values[i]);
    if (!number || *number < 0) return JoinComponents(values);
    parts[i] = *number;
  }
  const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
  if (!(degrees < 1e6)) return JoinComponents(values);
  // In hundredths of a second, so that 59.999" rounds up into the minute.
  const long long hundredths = std::llround(degrees * 360000.0);
  char text[96];
  std::snprintf(text, sizeof text, "%lld&deg; %lld' %lld.%02lld\"", hundredths / 360000, hundredths / 6000 % 60,
                hundredths / 100 % 60, hundredths % 100);
  return text;
}

std::string Components(Values values) {
  static constexpr std::array<std::string_view, 7> kChannels{"", "Y", "Cb", "Cr", "Red", "Green", "Blue"};
  std::string text;
  for (const std::string& v : values) {
    const std::optional<std::int64_t> code = IntegerOf(v);
    if (!code || *code < 0 || *code >= static_cast<std::int64_t>(kChannels.size())) return JoinComponents(values);
    text += kChannels[static_cast<std::size_t>(*code)];
  }
  return text;
}

std::string ColourSpace(double code) {
  if (code == 1 || code == 2) return "RGB";
  if (code == 6) return "YCbCr";
  return "unknown";
}

std::string SubjectDistance(double metres, const std::string& stored) {
  if (stored.starts_with("4294967295/")) return "infinite";
  if (metres <= 0) return "unknown";
  return Decimal(metres, 2, 2) + "m";
}

void AppendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  char utf8[4];
  std::size_t size = 0;
  if (c < 0x800) {
    utf8[size++] = static_cast<char>(0xC0 | (c >> 6));
  } else {
    utf8[size++] = static_cast<char>(0xE0 | (c >> 12));
    utf8[size++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  utf8[size++] = static_cast<char>(0x80 | (c & 0x3F));
  const std::optional<std::string> cp1252 = Utf8ToCp1252(std::string_view(utf8, size));
  out += cp1252 ? *cp1252 : std::string("?");
}

// UTF-16 to Windows-1252, up to the first U+0000; what Windows-1252 cannot
// hold (and a broken surrogate pair) becomes "?".
std::string FromUtf16(std::string_view bytes, bool big_endian) {
  std::string out;
  const auto unit = [&](std::size_t at) {
    const auto hi = static_cast<std::uint8_t>(bytes[big_endian ? at : at + 1]);
    const auto lo = static_cast<std::uint8_t>(bytes[big_endian ? at + 1 : at]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    const char32_t c = unit(at);
    if (c == 0) break;
    if (c >= 0xD800 && c <= 0xDFFF) {
      // No character beyond the basic plane exists in Windows-1252.
      if (c <= 0xDBFF && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) at += 2;
      out += '?';
      continue;
    }
    AppendCodePoint(out, c);
  }
  return std::string(Trimmed(out));
}

// Which way round UTF-16 text of unknown byte order lies: by its byte-order
// mark, else by where the zero bytes of Latin text fall.
bool LooksBigEndian(std::string_view& bytes) {
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<std::uint8_t>(bytes[0]);
    const auto b1 = static_cast<std::uint8_t>(bytes[1]);
    if (b0 == 0xFE && b1 == 0xFF) {
      bytes.remove_prefix(2);
      return true;
    }
    if (b0 == 0xFF && b1 == 0xFE) {
      bytes.remove_prefix(2);
      return false;
    }
  }
  std::size_t even = 0, odd = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\0' && bytes[i + 1] != '\0') ++even;
    if (bytes[i + 1] == '\0' && bytes[i] != '\0') ++odd;
  }
  return even > odd;
}

// A text with an 8-byte character-set head (UserComment and its kin), or,
// without one, UTF-16 little-endian as Windows writes its XP tags.
std::string UnicodeText(const RLExif& entry, Values values) {
  if (entry.type == TiffType::kAscii) return values.empty() ? std::string() : UpToZero(values.front());
  const std::optional<std::string> bytes = Bytes(values);
  if (!bytes) return JoinComponents(values);
  std::string_view data = *bytes;
  if (data.size() >= 8) {
    const std::string_view head = data.substr(0, 8);
    std::string_view rest = data.substr(8);
    if (head == std::string_view("ASCII\0\0\0", 8) || head == std::string_view("\0\0\0\0\0\0\0\0", 8)) {
      return UpToZero(rest);
    }
    if (head == std::string_view("UNICODE\0", 8)) {
      const bool big_endian = LooksBigEndian(rest);
      return FromUtf16(rest, big_endian);
    }
    if (head == std::string_view("JIS\0\0\0\0\0", 8)) return UpToZero(rest);
  }
  if (data.find('\0') == std::string_view::npos) return std::string(Trimmed(data));
  const bool big_endian = LooksBigEndian(data);
  return FromUtf16(data, big_endian);
}

std::string ByteText(const RLExif& entry, Values values) {
  if (entry.type == TiffType::kAscii) return values.empty() ? std::string() : UpToZero(values.front());
  const std::optional<std::string> bytes = Bytes(values);
  return bytes ? UpToZero(*bytes) : JoinComponents(values);
}

// Four digit characters "0232" as "2.32"; plain numbers (the GPS version
// 2, 3, 0, 0) joined by ".".
std::string Version(const RLExif& entry, Values values) {
  std::string digits;
  if (entry.type == TiffType::kAscii) {
    digits = values.empty() ? std::string() : UpToZero(values.front());
  } else if (const std::optional<std::string> bytes = Bytes(values)) {
    digits = *bytes;
  }
  if (digits.size() == 4 && digits.find_first_not_of("0123456789") == std::string::npos) {
    return std::to_string((digits[0] - '0') * 10 + (digits[1] - '0')) + "." + digits.substr(2);
  }
  std::string text;
  for (const std::string& v : values) {
    if (!IntegerOf(v)) return JoinComponents(values);
    if (!text.empty()) text += '.';
    text += v;
  }
  return text;
}

constexpr double kApexLimit = 64;  // beyond it 2^x is no exposure a camera makes

}  // namespace

std::string JoinComponents(std::span<const std::string> components) {
  const std::size_t shown = std::min(components.size(), kDisplayListLimit);
  return JoinShortened(std::vector<std::string>(components.begin(), components.begin() + static_cast<std::ptrdiff_t>(shown)),
                       components.size());
}

std::optional<double> ComponentNumber(std::string_view component) {
  const std::size_t slash = component.find('/');
  if (slash != std::string_view::npos) {
    const std::optional<std::int64_t> numerator = IntegerOf(component.substr(0, slash));
    const std::optional<std::int64_t> denominator = IntegerOf(component.substr(slash + 1));
    if (!numerator || !denominator || *denominator == 0) return std::nullopt;
    return static_cast<double>(*numerator) / static_cast<double>(*denominator);
  }
  double value = 0;
  const char* end = component.data() + component.size();
  const auto [stop, error] = std::from_chars(component.data(), end, value, std::chars_format::general);
  if (component.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string DisplayText(const RLExif& entry, const ExifTag* definition, int component) {
  Values values = entry.values;
  if (component > 0) {
    if (static_cast<std::size_t>(component) > values.size()) return {};
    values = values.subspan(static_cast<std::size_t>(component - 1), 1);
  }
  if (std::optional<std::string> labels = Labels(values, definition)) return *labels;
  const DisplayForm form = definition != nullptr ? definition->form() : DisplayForm::kPlain;
  const auto unit = [](int min_decimals, int max_decimals, const char* suffix) {
    return [=](double v, const std::string&) { return Decimal(v, min_decimals, max_decimals) + suffix; };
  };
  switch (form) {
    case DisplayForm::kPlain:
    case DisplayForm::kFraction:
      return JoinComponents(values);
    case DisplayForm::kDecimal: return EachComponent(values, unit(1, 2, ""));
    case DisplayForm::kDecimal2: return EachComponent(values, unit(2, 2, ""));
    case DisplayForm::kExposureTime:
      return EachComponent(values, [](double v, const std::string&) { return ExposureTime(v); });
    case DisplayForm::kGpsCoordinate: return GpsCoordinate(values);
    case DisplayForm::kMillimetres: return EachComponent(values, unit(1, 1, "mm"));
    case DisplayForm::kMillimetresWhole: return EachComponent(values, unit(0, 0, "mm"));
    case DisplayForm::kCentimetres: return EachComponent(values, unit(0, 0, "cm"));
    case DisplayForm::kCentimetres1: return EachComponent(values, unit(1, 1, "cm"));
    case DisplayForm::kDecimetres: return EachComponent(values, unit(0, 0, "dm"));
    case DisplayForm::kDecimetres2: return EachComponent(values, unit(2, 2, "dm"));
    case DisplayForm::kMetres: return EachComponent(values, unit(0, 0, "m"));
    case DisplayForm::kMetres3: return EachComponent(values, unit(3, 3, "m"));
    case DisplayForm::kComponents: return Components(values);
    case DisplayForm::kColourSpace:
      return EachComponent(values, [](double v, const std::string&) { return ColourSpace(v); });
    case DisplayForm::kSubjectDistance: {
      std::vector<std::string> firsts;
      for (std::size_t i = 0; i < std::min(values.size(), kDisplayListLimit); ++i) {
        const std::optional<double> metres = ComponentNumber(values[i]);
        // 0/0 is as unknown as 0/1.
        firsts.push_back(SubjectDistance(metres.value_or(0), values[i]));
      }
      return JoinShortened(firsts, values.size());
    }
    case DisplayForm::kUnicodeText: return UnicodeText(entry, values);
    case DisplayForm::kDateTime:
      return entry.type == TiffType::kAscii && !values.empty() ? UpToZero(values.front()) : JoinComponents(values);
    case DisplayForm::kVersion: return Version(entry, values);
    case DisplayForm::kApexShutter:
      return EachComponent(values, [](double tv, const std::string& stored) {
        return std::fabs(tv) <= kApexLimit ? ExposureTime(std::exp2(-tv)) : stored;
      });
    case DisplayForm::kApexAperture:
      return EachComponent(values, [](double av, const std::string& stored) {
        return std::fabs(av) <= kApexLimit ? Decimal(std::exp2(av / 2), 1, 1) : stored;
      });
    case DisplayForm::kFNumber:
      return EachComponent(values, [](double n, const std::string&) { return "f/" + Decimal(n, 1, 1); });
    case DisplayForm::kByteText: return ByteText(entry, values);
  }
  return JoinComponents(values);
}

}  // namespace velmora::metadata
