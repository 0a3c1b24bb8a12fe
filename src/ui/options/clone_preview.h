// The live preview of the clone list: the selected photo (or a made-up
// sample picture) at clone size with every item of the working clone list
// applied. Edits come in quick bursts while a user types or drags, so a
// render starts a short moment after the last change and runs off the GUI
// thread; a change during a render starts one more when it is done.
#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "image/clone_list/clone_effekte.h"
#include "image/rgb_buffer.h"

namespace velmora::ui {

// The longest side of the preview clone.
inline constexpr int kPreviewCloneSize = 1600;

// Scales `photo` so its longest side is `size` (never up); a photo that
// cannot be read gives an empty buffer.
image::RgbBuffer LoadPreviewPhoto(const std::filesystem::path& photo, int size);
// A colourful test picture of `width` x `height`, when no photo is chosen.
image::RgbBuffer SamplePicture(int width, int height);

// One render: the list applied to a copy of `source`. Text stamps draw the
// text their position maps to in `stamp_texts` (their scripts have run before,
// on the GUI thread, which owns the script machine). Never throws: an item
// that fails leaves the picture as the items before it made it.
image::RgbBuffer RenderClonePreview(const image::RgbBuffer& source, const image::CCloneEffekte& list,
                                    const std::map<int, std::string>& stamp_texts);

QImage ToQImage(const image::RgbBuffer& buffer);

class ClonePreview : public QObject {
  Q_OBJECT
 public:
  explicit ClonePreview(QObject* parent = nullptr);
  ~ClonePreview() override;

  // The picture the list is applied to; an empty path takes the sample.
  void SetPhoto(const std::filesystem::path& photo);
  // The working clone list changed: render again soon.
  void Schedule();
  // Waits for the running render (tests, closing).
  void WaitForIdle();

  const QImage& image() const { return image_; }
  static constexpr int kDebounceMs = 40;

 signals:
  void rendered(const QImage& image, qint64 milliseconds);

 private:
  void Start();
  void Finished();

  image::RgbBuffer source_;
  QTimer debounce_;
  QFutureWatcher<QImage> watcher_;
  bool again_ = false;
  qint64 started_ = 0;
  QImage image_;
};

}  // namespace velmora::ui
