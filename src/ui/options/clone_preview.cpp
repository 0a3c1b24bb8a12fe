// Live preview of the clone list.
#include "ui/options/clone_preview.h"

#include <QDateTime>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "app/run/clone_pictures.h"
#include "app/run/prepared_clone_list.h"
#include "image/clone_list/text_stamp.h"
#include "image/image_io.h"
#include "image/resize/resize_image.h"
#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"
#include "settings/profile_data.h"

namespace velmora::ui {
namespace {

// What a stamp's text shows in the preview: its literal parts; a code part
// in braces is shown as it is written, since its values belong to a run.
std::string PreviewStampText(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '\\') {
      shown += "%\\";
      ++i;
      continue;
    }
    if (text[i] == '\r') continue;
    shown += text[i] == '\n' ? "%\\" : std::string(1, text[i]);
  }
  return shown;
}

}  // namespace

image::RgbBuffer LoadPreviewPhoto(const std::filesystem::path& photo, int size) {
  try {
    image::ImageReadOptions options;
    options.min_width = size / 2;
    options.min_height = size / 2;
    image::RgbBuffer picture = image::ReadImage(photo, 0, options);
    const int longest = std::max(picture.width(), picture.height());
    if (longest <= size || longest == 0) return picture;
    const double scale = static_cast<double>(size) / longest;
    const int width = std::max(1, static_cast<int>(std::lround(picture.width() * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(picture.height() * scale)));
    return image::ResizeImage(picture, width, height, -2);
  } catch (...) {
    return {};
  }
}

image::RgbBuffer SamplePicture(int width, int height) {
  image::RgbBuffer picture(width, height);
  std::uint8_t* p = picture.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Sky, a sun and a meadow: colours and edges for every effect to show on.
      const double dx = x - width * 0.7, dy = y - height * 0.3;
      const bool sun = dx * dx + dy * dy < (height * 0.12) * (height * 0.12);
      const bool meadow = y > height * 0.62 + std::sin(x * 0.01) * height * 0.04;
      std::uint8_t r, g, b;
      if (sun) {
        r = 255, g = 220, b = 60;
      } else if (meadow) {
        r = static_cast<std::uint8_t>(40 + (x * 60) / width), g = static_cast<std::uint8_t>(140 + (y * 80) / height), b = 50;
      } else {
        r = static_cast<std::uint8_t>(90 + (y * 100) / height), g = static_cast<std::uint8_t>(150 + (y * 80) / height), b = 235;
      }
      *p++ = r, *p++ = g, *p++ = b;
    }
  }
  return picture;
}

image::RgbBuffer RenderClonePreview(const image::RgbBuffer& source, const image::CCloneEffekte& list,
                                    const std::map<int, std::string>& stamp_texts) {
  image::RgbBuffer clone = source.Clone();
  try {
    app::ClonePictures pictures;
    app::PreparedCloneList prepared(list, pictures);
    image::FontCache fonts;
    prepared.Apply(clone, [&](image::RgbBuffer& target, const image::CTextStamp& stamp, int position) {
      const auto text = stamp_texts.find(position);
      if (text == stamp_texts.end() || text->second.empty()) return;
      image::DrawTextStamp(target, text->second, image::TextStampStyleOf(stamp), fonts);
    });
  } catch (...) {
    // An image stamp without its picture ends the clone in a run; the
    // preview keeps what the items before it made.
  }
  return clone;
}

QImage ToQImage(const image::RgbBuffer& buffer) {
  if (buffer.empty()) return {};
  QImage image(buffer.width(), buffer.height(), QImage::Format_RGB888);
  for (int y = 0; y < buffer.height(); ++y) {
    std::copy_n(buffer.data() + static_cast<std::size_t>(y) * buffer.width() * 3, buffer.width() * 3, image.scanLine(y));
  }
  return image;
}

ClonePreview::ClonePreview(QObject* parent) : QObject(parent) {
  debounce_.setSingleShot(true);
  debounce_.setInterval(kDebounceMs);
  connect(&debounce_, &QTimer::timeout, this, &ClonePreview::Start);
  connect(&watcher_, &QFutureWatcher<QImage>::finished, this, &ClonePreview::Finished);
  source_ = SamplePicture(kPreviewCloneSize, kPreviewCloneSize * 2 / 3);
}

ClonePreview::~ClonePreview() { WaitForIdle(); }

void ClonePreview::SetPhoto(const std::filesystem::path& photo) {
  WaitForIdle();
  image::RgbBuffer loaded = photo.empty() ? image::RgbBuffer{} : LoadPreviewPhoto(photo, kPreviewCloneSize);
  source_ = loaded.empty() ? SamplePicture(kPreviewCloneSize, kPreviewCloneSize * 2 / 3) : std::move(loaded);
  Schedule();
}

void ClonePreview::Schedule() { debounce_.start(); }

void ClonePreview::WaitForIdle() {
  if (watcher_.isRunning()) watcher_.waitForFinished();
}

void ClonePreview::Start() {
  if (watcher_.isRunning()) {
    again_ = true;
    return;
  }
  // The list and the texts are copied here: the GUI thread goes on editing
  // the working list while the copy renders.
  auto list = std::make_shared<image::CCloneEffekte>(settings::WorkingCloneList());
  auto texts = std::make_shared<std::map<int, std::string>>();
  int position = 0;
  for (const image::CloneItem& item : *list) {
    ++position;
    if (item.Kind() == image::CloneItemKind::kTextStamp) {
      (*texts)[position] = PreviewStampText(static_cast<const image::CTextStamp&>(item).Text());
    }
  }
  const image::RgbBuffer* source = &source_;
  started_ = QDateTime::currentMSecsSinceEpoch();
  watcher_.setFuture(QtConcurrent::run([source, list, texts] { return ToQImage(RenderClonePreview(*source, *list, *texts)); }));
}

void ClonePreview::Finished() {
  image_ = watcher_.result();
  emit rendered(image_, QDateTime::currentMSecsSinceEpoch() - started_);
  if (again_) {
    again_ = false;
    Start();
  }
}

}  // namespace velmora::ui
