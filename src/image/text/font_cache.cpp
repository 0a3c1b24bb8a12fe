// The run's fonts.
#include "image/text/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "image/text/font_face.h"
#include "image/text/font_finder.h"

namespace velmora::image {

struct FontCache::Libraries {
  FontFinder finder;
  FT_Library freetype = nullptr;
  Libraries() {
    if (FT_Init_FreeType(&freetype) != 0) freetype = nullptr;
  }
  ~Libraries() {
    if (freetype != nullptr) FT_Done_FreeType(freetype);
  }
};

FontCache::FontCache() = default;

// The faces go before the library that made them.
FontCache::~FontCache() { faces_.clear(); }

FontFace* FontCache::Face(const FontRequest& asked) {
  FontRequest request = asked;
  request.pixel_height = std::clamp(request.pixel_height, 1, 999);
  request.weight = request.weight <= 0 ? 400 : std::min(request.weight, 1000);
  if (const auto found = faces_.find(request); found != faces_.end()) return found->second.get();
  if (!libraries_) libraries_ = std::make_unique<Libraries>();
  std::unique_ptr<FontFace> face;
  if (const std::optional<FontFile> file = libraries_->finder.Find(request)) {
    face = FontFace::Open(libraries_->freetype, *file, request.pixel_height);
  }
  return faces_.emplace(request, std::move(face)).first->second.get();
}

}  // namespace velmora::image
