// The desktop handler, replaceable for tests.
#include "ui/url_opener.h"

#include <QDesktopServices>
#include <utility>

namespace velmora::ui {
namespace {

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

}  // namespace

UrlOpener SetUrlOpener(UrlOpener opener) { return std::exchange(Opener(), std::move(opener)); }

bool OpenUrl(const QUrl& url) { return Opener() ? Opener()(url) : QDesktopServices::openUrl(url); }

}  // namespace velmora::ui
