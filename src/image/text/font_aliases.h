// Faces that Windows profiles name and that Linux machines ship under other
// names: the metric-compatible free counterparts keep a stamp's width and
// line breaks as the profile's author saw them.
#pragma once

#include <string_view>

namespace velmora::image {

// The free face with the same metrics as `family` (compared without regard
// to case), or `family` itself when there is none.
std::string_view MetricCompatibleFace(std::string_view family);

// The faces tried, in order, when the named face is not installed: those
// that the setup script installs, then whatever the system calls sans-serif.
inline constexpr std::string_view kFallbackFaces[] = {"Liberation Sans", "DejaVu Sans", "sans-serif"};

// True for the generic names ("sans-serif", "serif", "monospace") whose
// match may carry any family name.
bool IsGenericFamily(std::string_view family);

// Compares family names as fontconfig does: case and blanks do not count.
bool SameFamily(std::string_view a, std::string_view b);

}  // namespace velmora::image
