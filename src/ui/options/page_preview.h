// A preview of one page kind with the current templates: the photos of a
// folder run through a small gallery run into a temporary folder of its
// own, and the page opened in the browser. The user's folder, the profile
// and its working values are left as they were.
#pragma once

#include <filesystem>
#include <string>

class QWidget;

namespace velmora::ui {

enum class PreviewPageKind { kThumbnailPage, kImagePage };

// Writes the gallery of `folder` (its own photos, no subfolders) below
// `output` with the working settings, switched to small clones and to the
// page kinds the preview needs, and returns the first page of `kind`;
// empty when nothing was written. Messages of the run are shown as usual.
std::filesystem::path RenderPagePreview(PreviewPageKind kind, const std::filesystem::path& folder,
                                        const std::filesystem::path& output);

// The same into a new temporary folder, opened with the default browser.
// False when there was nothing to show.
bool OpenPagePreview(PreviewPageKind kind, const std::filesystem::path& folder);

}  // namespace velmora::ui
