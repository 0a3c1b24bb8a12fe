// Versions of the C and C++ runtime and the codec libraries.
#include "app/component_versions.h"

#include <gnu/libc-version.h>
#include <link.h>

#include <cstdio>
#include <string_view>

#include "image/codecs/codec_libraries.h"

#if __has_include(<jpeglib.h>)
#include <jpeglib.h>
#define VELMORA_HAVE_JPEG 1
#endif
#if __has_include(<png.h>)
#include <png.h>
#define VELMORA_HAVE_PNG 1
#endif
#if __has_include(<tiffvers.h>)
#include <tiffvers.h>
#define VELMORA_HAVE_TIFF 1
#endif
#if __has_include(<gif_lib.h>)
#include <gif_lib.h>
#define VELMORA_HAVE_GIF 1
#endif
#if __has_include(<libraw/libraw_version.h>)
#include <libraw/libraw_version.h>
#define VELMORA_HAVE_LIBRAW 1
#endif
#if __has_include(<ft2build.h>)
#include <ft2build.h>
#include FT_FREETYPE_H
#define VELMORA_HAVE_FREETYPE 1
#endif

namespace velmora::app {
namespace {

#define VELMORA_TEXT(x) #x
#define VELMORA_TEXT_OF(x) VELMORA_TEXT(x)
#define VELMORA_VERSION3(major, minor, patch) \
  VELMORA_TEXT_OF(major) "." VELMORA_TEXT_OF(minor) "." VELMORA_TEXT_OF(patch)

// The paths of every shared object in the process.
std::vector<std::string> LoadedObjects() {
  std::vector<std::string> paths;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* data) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
        }
        return 0;
      },
      &paths);
  return paths;
}

std::string LoadedFile(const std::vector<std::string>& loaded, std::string_view prefix, std::string_view name) {
  for (const std::string& path : loaded) {
    const std::string_view base = std::string_view(path).substr(path.rfind('/') + 1);
    if (base.starts_with(prefix)) return path;
  }
  return std::string(name);
}

}  // namespace

std::vector<ComponentVersion> RuntimeComponents() {
  const auto loaded = LoadedObjects();
  std::vector<ComponentVersion> components;
  auto add = [&](std::string_view prefix, std::string_view name, std::string version) {
    components.push_back({LoadedFile(loaded, prefix, name), std::move(version)});
  };
  add("libc.so", "GNU C Library", gnu_get_libc_version());
  add("libstdc++.so", "GNU C++ Library", "GCC " VELMORA_TEXT_OF(_GLIBCXX_RELEASE));
#ifdef VELMORA_HAVE_JPEG
#ifdef LIBJPEG_TURBO_VERSION
  add("libjpeg.so", "libjpeg-turbo", "libjpeg-turbo " VELMORA_TEXT_OF(LIBJPEG_TURBO_VERSION));
#else
  add("libjpeg.so", "libjpeg", "libjpeg " VELMORA_TEXT_OF(JPEG_LIB_VERSION));
#endif
#endif
#ifdef VELMORA_HAVE_PNG
  add("libpng", "libpng", "libpng " PNG_LIBPNG_VER_STRING);
#endif
#ifdef VELMORA_HAVE_TIFF
  add("libtiff.so", "libtiff",
      "libtiff " VELMORA_VERSION3(TIFFLIB_MAJOR_VERSION, TIFFLIB_MINOR_VERSION, TIFFLIB_MICRO_VERSION));
#endif
#ifdef VELMORA_HAVE_GIF
  add("libgif.so", "giflib", "giflib " VELMORA_VERSION3(GIFLIB_MAJOR, GIFLIB_MINOR, GIFLIB_RELEASE));
#endif
#ifdef VELMORA_HAVE_LIBRAW
  add("libraw", "LibRaw", "LibRaw " LIBRAW_VERSION_STR);
#endif
#ifdef VELMORA_HAVE_FREETYPE
  add("libfreetype.so", "FreeType", "FreeType " VELMORA_VERSION3(FREETYPE_MAJOR, FREETYPE_MINOR, FREETYPE_PATCH));
#endif
  for (const image::CodecLibrary& library : image::CodecLibraries()) add(library.file_prefix, library.name, library.version);
  return components;
}

}  // namespace velmora::app
