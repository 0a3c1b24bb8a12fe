// The right side of the main window: the preview of the image just handled,
// the progress (folder, image n of N, time left) and, when the run ends,
// its summary with the button that opens the gallery in the browser.
#pragma once

#include <QWidget>
#include <cstdint>
#include <filesystem>

#include "ui/window_progress.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace velmora::ui {

class RunPanel : public QWidget {
  Q_OBJECT

 public:
  explicit RunPanel(QWidget* parent = nullptr);

  // A run begins: the last summary and picture go.
  void BeginRun();
  void ShowProgress(const ProgressSnapshot& progress);
  // The run ended; `start_document` empty when no page was written.
  void ShowSummary(const ProgressSnapshot& progress, const std::filesystem::path& start_document);

  bool PreviewOn() const;
  void SetPreviewOn(bool on);

  // What the panel shows, for tests.
  std::uint64_t PreviewNumber() const { return preview_number_; }
  bool HasPreview() const;
  QString ProgressText() const;
  QString SummaryText() const;
  QPushButton* OpenGalleryButton() const { return open_gallery_; }

 private:
  void ShowPicture(const std::filesystem::path& file);

  QLabel* preview_;
  QCheckBox* preview_switch_;
  QLabel* directory_;
  QLabel* image_;
  QLabel* time_left_;
  QProgressBar* bar_;
  QPlainTextEdit* summary_;
  QPushButton* open_gallery_;
  std::filesystem::path start_document_;
  std::uint64_t preview_number_ = 0;
};

}  // namespace velmora::ui
