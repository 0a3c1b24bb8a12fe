// Font lookup with fontconfig.
#include "image/text/font_finder.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <vector>

#include "image/text/font_aliases.h"

namespace velmora::image {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Bytes(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

int RequestedWeight(const FontRequest& request) {
  return request.weight <= 0 ? 400 : std::min(request.weight, 1000);
}

bool HasFamily(FcPattern* match, std::string_view family) {
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
    if (SameFamily(reinterpret_cast<const char*>(value), family)) return true;
  }
  return false;
}

}  // namespace

struct FontFinder::Config {
  FcConfig* config = nullptr;
  ~Config() {
    if (config != nullptr) FcConfigDestroy(config);
  }
};

FontFinder::FontFinder() : config_(std::make_unique<Config>()) { config_->config = FcInitLoadConfigAndFonts(); }

FontFinder::~FontFinder() = default;

std::optional<FontFile> FontFinder::Find(const FontRequest& request) const {
  if (config_->config == nullptr) return std::nullopt;
  std::vector<std::string> candidates;
  const std::string_view named = MetricCompatibleFace(request.family);
  if (named.find_first_not_of(' ') != std::string_view::npos) candidates.emplace_back(named);
  for (const std::string_view fallback : kFallbackFaces) candidates.emplace_back(fallback);

  const int weight = RequestedWeight(request);
  for (const std::string& family : candidates) {
    Pattern pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(family));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_->config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(config_->config, pattern.get(), &result));
    if (!match) continue;
    // fontconfig answers every request with some font; a face that is not
    // the one asked for goes on to the next candidate, so that a missing
    // face always ends in the same fallback.
    if (!IsGenericFamily(family) && !HasFamily(match.get(), family)) continue;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) continue;
    FcBool scalable = FcFalse;
    if (FcPatternGetBool(match.get(), FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable) continue;

    FontFile found;
    found.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
    FcChar8* matched_family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matched_family) == FcResultMatch) {
      found.family = reinterpret_cast<const char*>(matched_family);
    }
    int matched_weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &matched_weight);
    int matched_slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &matched_slant);
    // The system's configuration may already have asked for a thickened or
    // slanted face (and then reports the asked-for style as the match's).
    FcBool embolden = FcFalse;
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
    FcMatrix* matrix = nullptr;
    const bool slanted = FcPatternGetMatrix(match.get(), FC_MATRIX, 0, &matrix) == FcResultMatch &&
                         matrix != nullptr && matrix->xy != 0.0;
    found.synthetic_bold = embolden == FcTrue || (weight >= 600 && FcWeightToOpenType(matched_weight) < 600);
    found.synthetic_italic = request.italic && (slanted || matched_slant == FC_SLANT_ROMAN);
    return found;
  }
  return std::nullopt;
}

}  // namespace velmora::image
