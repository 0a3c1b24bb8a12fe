// Opening a document or folder with the desktop's handler (the gallery in
// the browser, the profile in an editor, the user guide). Tests replace the
// opener so that nothing starts on the machine running them.
#pragma once

#include <QUrl>
#include <functional>

namespace velmora::ui {

using UrlOpener = std::function<bool(const QUrl&)>;

// Returns the previous opener; an empty one restores QDesktopServices.
UrlOpener SetUrlOpener(UrlOpener opener);
bool OpenUrl(const QUrl& url);

}  // namespace velmora::ui
