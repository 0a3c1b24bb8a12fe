// The XMP fields that photo managers write captions, keywords, authors and
// rights into, read with expat. The packet comes from the photo and is
// hostile: a document type declaration (the only place where entities can
// be declared, and with them entity expansion attacks and external files)
// stops the parse, and a packet beyond a size no photo needs is
// not parsed at all.
#include <expat.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "metadata/metadata_reader.h"
#include "metadata/metadata_text.h"

namespace velmora::metadata {
namespace {

constexpr std::size_t kMaxPacketSize = 4 * 1024 * 1024;

// Expat joins a name's namespace and local part with this character; no
// namespace name (a URI) contains it.
constexpr char kNamespaceSeparator = ' ';

constexpr std::string_view kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns# ";
constexpr std::string_view kXmlLang = "http://www.w3.org/XML/1998/namespace lang";

struct Property {
  std::string_view name;  // namespace, separator, local name
  std::string_view key;   // the comment's key
};
constexpr std::array<Property, 6> kProperties = {{
    {"http://purl.org/dc/elements/1.1/ title", "XMP:title"},
    {"http://purl.org/dc/elements/1.1/ description", "XMP:description"},
    {"http://purl.org/dc/elements/1.1/ subject", "XMP:subject"},
    {"http://purl.org/dc/elements/1.1/ creator", "XMP:creator"},
    {"http://purl.org/dc/elements/1.1/ rights", "XMP:rights"},
    {"http://ns.adobe.com/photoshop/1.0/ Headline", "XMP:headline"},
}};

const Property* FindProperty(std::string_view name) {
  for (const Property& p : kProperties) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

bool IsRdf(std::string_view name, std::string_view local) {
  return name.size() == kRdf.size() + local.size() && name.starts_with(kRdf) && name.ends_with(local);
}

std::string Trimmed(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(kSpace) - first + 1));
}

// Collects the value of the property being read. Language alternatives
// (rdf:Alt) give the "x-default" item, or the first; bags and sequences
// give their items joined by ","; a simple property gives its text.
class XmpCollector {
 public:
  XmpCollector(PhotoMetadata& metadata, XML_Parser parser) : metadata_(metadata), parser_(parser) {}

  void Start(std::string_view name, const XML_Char** attributes) {
    ++depth_;
    if (property_ == nullptr) {
      if ((property_ = FindProperty(name)) != nullptr) {
        property_depth_ = depth_;
        alternative_ = false;
        items_.clear();
        default_item_.reset();
        text_.clear();
      } else {
        TakeAttributes(attributes);
      }
      return;
    }
    if (IsRdf(name, "Alt")) alternative_ = true;
    if (IsRdf(name, "li") && item_depth_ == 0) {
      item_depth_ = depth_;
      item_.clear();
      if (alternative_ && !default_item_ && IsDefaultLanguage(attributes)) default_item_ = items_.size();
    }
  }

  void End() {
    if (item_depth_ != 0 && depth_ == item_depth_) {
      items_.push_back(Trimmed(item_));
      item_depth_ = 0;
    } else if (property_ != nullptr && depth_ == property_depth_) {
      Commit();
      property_ = nullptr;
    }
    --depth_;
  }

  void Text(std::string_view text) {
    if (item_depth_ != 0) {
      item_ += text;
    } else if (property_ != nullptr) {
      text_ += text;
    }
  }

  void Stop() { XML_StopParser(parser_, XML_FALSE); }

 private:
  static bool IsDefaultLanguage(const XML_Char** attributes) {
    for (; attributes[0] != nullptr; attributes += 2) {
      if (std::string_view(attributes[0]) == kXmlLang && std::string_view(attributes[1]) == "x-default") return true;
    }
    return false;
  }

  // Simple properties may stand as attributes of rdf:Description.
  void TakeAttributes(const XML_Char** attributes) {
    for (; attributes[0] != nullptr; attributes += 2) {
      if (const Property* p = FindProperty(attributes[0])) Add(*p, Trimmed(attributes[1]));
    }
  }

  void Commit() {
    std::string value;
    if (items_.empty()) {
      value = Trimmed(text_);
    } else if (alternative_) {
      value = items_[default_item_.value_or(0)];
    } else {
      for (const std::string& item : items_) {
        if (!value.empty()) value += ',';
        value += item;
      }
    }
    Add(*property_, value);
  }

  void Add(const Property& property, const std::string& utf8) {
    if (!utf8.empty()) metadata_.AddComment(std::string(property.key), Utf8ToCp1252Lossy(utf8));
  }

  PhotoMetadata& metadata_;
  XML_Parser parser_;
  int depth_ = 0;
  const Property* property_ = nullptr;
  int property_depth_ = 0;
  bool alternative_ = false;
  std::vector<std::string> items_;
  std::optional<std::size_t> default_item_;
  int item_depth_ = 0;
  std::string item_;
  std::string text_;
};

XmpCollector& CollectorOf(void* user_data) { return *static_cast<XmpCollector*>(user_data); }

// No exception may pass through expat's C frames: a failure (running out
// of memory) stops the parse and keeps what was committed.
template <typename Step>
void Guarded(void* user_data, Step step) {
  try {
    step(CollectorOf(user_data));
  } catch (...) {
    CollectorOf(user_data).Stop();
  }
}

void XMLCALL OnStart(void* user_data, const XML_Char* name, const XML_Char** attributes) {
  Guarded(user_data, [&](XmpCollector& c) { c.Start(name, attributes); });
}
void XMLCALL OnEnd(void* user_data, const XML_Char*) {
  Guarded(user_data, [](XmpCollector& c) { c.End(); });
}
void XMLCALL OnText(void* user_data, const XML_Char* text, int length) {
  Guarded(user_data, [&](XmpCollector& c) { c.Text(std::string_view(text, static_cast<std::size_t>(length))); });
}
void XMLCALL OnDoctype(void* user_data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  CollectorOf(user_data).Stop();
}

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

void ParsePacket(PhotoMetadata& metadata, std::string_view xml) {
  const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
  if (!parser) return;
  XmpCollector collector(metadata, parser.get());
  XML_SetUserData(parser.get(), &collector);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  // Values are committed as each property ends: a packet that breaks off,
  // or has padding after its end, keeps what came before.
  XML_Parse(parser.get(), xml.data(), static_cast<int>(xml.size()), XML_TRUE);
}

}  // namespace

void ParseXmpPacket(PhotoMetadata& metadata, std::string_view xml) {
  if (xml.empty() || xml.size() > kMaxPacketSize) return;
  try {
    ParsePacket(metadata, xml);
  } catch (...) {  // out of memory: keep what was read
  }
}

}  // namespace velmora::metadata
