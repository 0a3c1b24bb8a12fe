// Preview, progress and summary.
#include "ui/run_panel.h"

#include <QCheckBox>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/run/progress_line.h"
#include "ui/captions.h"
#include "ui/qt_text.h"
#include "ui/url_opener.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kSection = "Startdialog";

QString Capitalised(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

// "Bild 12 von 340"
QString CountOf(std::string_view key, std::int64_t n, std::int64_t total) {
  return Capitalised(Text(kSection, key)) + QStringLiteral(" %1 ").arg(n) + Text("Fortschrittanzeige", "InfOf") +
         QStringLiteral(" %1").arg(total);
}

}  // namespace

RunPanel::RunPanel(QWidget* parent)
    : QWidget(parent),
      preview_(new QLabel(this)),
      preview_switch_(new QCheckBox(this)),
      directory_(new QLabel(this)),
      image_(new QLabel(this)),
      time_left_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      summary_(new QPlainTextEdit(this)),
      open_gallery_(new QPushButton(this)) {
  auto* layout = new QVBoxLayout(this);
  preview_->setObjectName("preview");
  preview_->setMinimumSize(240, 160);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  preview_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  layout->addWidget(preview_, 1);
  preview_switch_->setChecked(true);
  SetCaptionKey(preview_switch_, "Preview");
  layout->addWidget(preview_switch_);
  connect(preview_switch_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) preview_->clear();
  });
  for (QLabel* label : {directory_, image_, time_left_}) {
    label->setTextFormat(Qt::PlainText);  // folder names come from the disk
    layout->addWidget(label);
  }
  bar_->setRange(0, 1);
  bar_->setValue(0);
  layout->addWidget(bar_);
  summary_->setReadOnly(true);
  summary_->setMaximumBlockCount(50);
  summary_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  summary_->setFixedHeight(summary_->fontMetrics().lineSpacing() * 6 + 12);
  layout->addWidget(summary_);
  SetCaptionKey(open_gallery_, "OpenGallery");
  open_gallery_->setEnabled(false);
  layout->addWidget(open_gallery_);
  connect(open_gallery_, &QPushButton::clicked, this, [this] {
    if (!start_document_.empty()) OpenUrl(QUrl::fromLocalFile(FromNative(start_document_)));
  });
}

void RunPanel::BeginRun() {
  summary_->clear();
  preview_->clear();
  start_document_.clear();
  open_gallery_->setEnabled(false);
  bar_->setRange(0, 1);
  bar_->setValue(0);
  directory_->clear();
  image_->clear();
  time_left_->clear();
}

void RunPanel::ShowProgress(const ProgressSnapshot& progress) {
  if (!progress.started) {
    directory_->setText(FromCp1252(progress.phase));
    return;
  }
  directory_->setText(CountOf("Dir", progress.directory_number, progress.directories) + QStringLiteral(": ") +
                      FromCp1252(progress.directory));
  image_->setText(CountOf("Image", progress.images_done, progress.images));
  const std::int64_t left = SecondsLeft(progress.bytes_done, progress.bytes, progress.elapsed_ms);
  time_left_->setText(Text(kSection, "TimeLeft") + QStringLiteral(": ") +
                      (left < 0 ? QStringLiteral("-")
                                : QString::fromStdString(app::FormatDuration(static_cast<std::uint64_t>(left)))));
  bar_->setRange(0, std::max(1, progress.images));
  bar_->setValue(std::min(progress.images_done, std::max(1, progress.images)));
  if (progress.picture_number != preview_number_) {
    preview_number_ = progress.picture_number;
    if (PreviewOn()) ShowPicture(progress.picture);
  }
}

void RunPanel::ShowSummary(const ProgressSnapshot& progress, const std::filesystem::path& start_document) {
  ShowProgress(progress);
  summary_->setPlainText(FromCp1252(progress.summary));
  start_document_ = start_document;
  open_gallery_->setEnabled(!start_document.empty());
  time_left_->clear();
}

bool RunPanel::PreviewOn() const { return preview_switch_->isChecked(); }
void RunPanel::SetPreviewOn(bool on) { preview_switch_->setChecked(on); }
bool RunPanel::HasPreview() const { return !preview_->pixmap().isNull(); }

QString RunPanel::ProgressText() const {
  return directory_->text() + QLatin1Char('\n') + image_->text() + QLatin1Char('\n') + time_left_->text();
}

QString RunPanel::SummaryText() const { return summary_->toPlainText(); }

void RunPanel::ShowPicture(const std::filesystem::path& file) {
  // Decoded at the size shown: a thumbnail costs next to nothing, and a large
  // JPEG is scaled while it is decoded.
  QImageReader reader(FromNative(file));
  reader.setAutoTransform(true);
  const QSize full = reader.size();
  const QSize box = preview_->contentsRect().size();
  if (full.isValid() && box.isValid() && (full.width() > box.width() || full.height() > box.height())) {
    reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
  }
  const QImage image = reader.read();
  if (image.isNull()) return;  // a format the preview cannot show; the run goes on
  preview_->setPixmap(QPixmap::fromImage(image));
}

}  // namespace velmora::ui
