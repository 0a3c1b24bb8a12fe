// The fonts of a run: found and opened on first use, then kept until the
// run ends, so that a stamp drawn on every clone looks its font up once.
#pragma once

#include <map>
#include <memory>

#include "image/text/font_request.h"

namespace velmora::image {

class FontFace;

class FontCache {
 public:
  FontCache();
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The face for the request, or nullptr when the system has no usable
  // font; a failed request is not retried.
  FontFace* Face(const FontRequest& request);

 private:
  struct Libraries;
  std::unique_ptr<Libraries> libraries_;  // opened with the first request
  std::map<FontRequest, std::unique_ptr<FontFace>> faces_;
};

}  // namespace velmora::image
