// The clone list editor.
#include "ui/options/clone_list_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "image/clone_list/clone_list.h"
#include "lang/messages.h"
#include "settings/profile_data.h"
#include "ui/options/clone_item_form.h"
#include "ui/options/clone_preview.h"
#include "ui/options/message_presenter.h"

namespace velmora::ui {
namespace {

const char* KindKey(image::CloneItemKind kind) {
  switch (kind) {
    case image::CloneItemKind::kTextStamp: return "Textstamp";
    case image::CloneItemKind::kImageStamp: return "Imagestamp";
    case image::CloneItemKind::kBorder: return "Border";
    case image::CloneItemKind::kEffect: return "Imageeffect";
  }
  return "Imageeffect";
}

QString Text(std::string_view section, std::string_view key) { return FromCp1252Verbatim(lang::GetText(section, key)); }

}  // namespace

CloneListEditor::CloneListEditor(QWidget* parent) : QWidget(parent) {
  auto* layout = new QGridLayout(this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(Text("Optionen", "OptionsCloningEffects"));
  layout->addWidget(list_, 0, 0);

  auto* buttons = new QVBoxLayout;
  const auto add_button = [&](const QString& caption, void (CloneListEditor::*action)()) {
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(QString(caption).remove(u'&'));
    connect(button, &QPushButton::clicked, this, action);
    buttons->addWidget(button);
  };
  add_button(QStringLiteral("+ &") + Text("CClonenEffekte", "Textstamp"), &CloneListEditor::AddTextStamp);
  add_button(QStringLiteral("+ ") + Text("CClonenEffekte", "Imagestamp"), &CloneListEditor::AddImageStamp);
  add_button(QStringLiteral("+ ") + Text("CClonenEffekte", "Border"), &CloneListEditor::AddBorder);
  add_button(QStringLiteral("+ ") + Text("CClonenEffekte", "Imageeffect"), &CloneListEditor::AddEffect);
  add_button(QStringLiteral("&Duplizieren"), &CloneListEditor::DuplicateSelected);
  add_button(QStringLiteral("&Entfernen"), &CloneListEditor::RemoveSelected);
  add_button(QStringLiteral("Nach o&ben"), &CloneListEditor::MoveSelectedUp);
  add_button(QStringLiteral("Nach &unten"), &CloneListEditor::MoveSelectedDown);
  buttons->addStretch(1);
  layout->addLayout(buttons, 0, 1);

  form_area_ = new QScrollArea(this);
  form_area_->setWidgetResizable(true);
  layout->addWidget(form_area_, 1, 0, 1, 2);

  auto* preview_box = new QVBoxLayout;
  preview_label_ = new QLabel(this);
  preview_label_->setMinimumSize(360, 240);
  preview_label_->setAlignment(Qt::AlignCenter);
  preview_label_->setAccessibleName(QStringLiteral("Vorschau"));
  preview_time_ = new QLabel(this);
  preview_box->addWidget(preview_label_, 1);
  preview_box->addWidget(preview_time_);
  layout->addLayout(preview_box, 0, 2, 2, 1);
  layout->setColumnStretch(2, 1);

  preview_ = new ClonePreview(this);
  connect(preview_, &ClonePreview::rendered, this, [this](const QImage& image, qint64 milliseconds) {
    preview_label_->setPixmap(QPixmap::fromImage(image).scaled(preview_label_->size(), Qt::KeepAspectRatio,
                                                               Qt::SmoothTransformation));
    preview_time_->setText(QStringLiteral("%1 x %2, %3 ms").arg(image.width()).arg(image.height()).arg(milliseconds));
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row == shown_row_) return;
    bool allowed = true;
    emit leavingItem(allowed);
    if (!allowed) {
      const QSignalBlocker block(list_);
      list_->setCurrentRow(shown_row_);
      return;
    }
    ShowItem(row);
  });
  Fill(0);
}

QString CloneListEditor::Caption(int position) const {
  const image::CloneItem* item = settings::WorkingCloneList().Item(position + 1);
  return QStringLiteral("%1: %2").arg(Text("CClonenEffekte", KindKey(item->Kind())), FromCp1252Verbatim(item->Description()));
}

void CloneListEditor::Fill(int select_row) {
  filling_ = true;
  list_->clear();
  const int count = settings::WorkingCloneList().Count();
  for (int i = 0; i < count; ++i) list_->addItem(Caption(i));
  filling_ = false;
  shown_row_ = -2;
  const int row = count == 0 ? -1 : std::clamp(select_row, 0, count - 1);
  list_->setCurrentRow(row);
  ShowItem(row);
}

void CloneListEditor::ShowItem(int row) {
  shown_row_ = row;
  image::CloneItem* item = settings::WorkingCloneList().Item(row + 1);
  form_ = item == nullptr ? nullptr : new CloneItemForm(*item, form_area_);
  if (form_ != nullptr) {
    connect(form_, &CloneItemForm::edited, this, [this] {
      if (shown_row_ >= 0 && shown_row_ < list_->count()) list_->item(shown_row_)->setText(Caption(shown_row_));
      emit edited();
      preview_->Schedule();
    });
  }
  // The old form goes at once: it edits an item that may be gone already
  // (removed), and a late signal of one of its fields must not reach it.
  delete form_area_->takeWidget();
  form_area_->setWidget(form_ != nullptr ? form_ : new QWidget(form_area_));
  preview_->Schedule();
}

void CloneListEditor::Reload() { Fill(0); }

void CloneListEditor::SetPreviewPhoto(const std::filesystem::path& photo) { preview_->SetPhoto(photo); }

void CloneListEditor::Changed(int select_row) {
  Fill(select_row);
  emit edited();
}

void CloneListEditor::AddTextStamp() {
  settings::WorkingCloneList().Add(image::NewCloneItemForDescriptionKey("STAMP_TEXT_DESCRIPTION"));
  Changed(settings::WorkingCloneList().Count() - 1);
}
void CloneListEditor::AddImageStamp() {
  settings::WorkingCloneList().Add(image::NewCloneItemForDescriptionKey("STAMP_IMAGE_DESCRIPTION"));
  Changed(settings::WorkingCloneList().Count() - 1);
}
void CloneListEditor::AddBorder() {
  settings::WorkingCloneList().Add(image::NewCloneItemForDescriptionKey("BORDER_DESCRIPTION"));
  Changed(settings::WorkingCloneList().Count() - 1);
}
void CloneListEditor::AddEffect() {
  settings::WorkingCloneList().Add(image::NewCloneItemForDescriptionKey("IMAGE_EFFECT_DESCRIPTION"));
  Changed(settings::WorkingCloneList().Count() - 1);
}

void CloneListEditor::DuplicateSelected() {
  const image::CloneItem* item = settings::WorkingCloneList().Item(SelectedRow() + 1);
  if (item == nullptr) return;
  settings::WorkingCloneList().Add(item->Clone());
  Changed(settings::WorkingCloneList().Count() - 1);
}

void CloneListEditor::RemoveSelected() {
  const int row = SelectedRow();
  if (settings::WorkingCloneList().Remove(row + 1)) Changed(row);
}

void CloneListEditor::MoveSelectedUp() {
  const int row = SelectedRow();
  if (settings::WorkingCloneList().MoveUp(row + 1)) Changed(row - 1);
}

void CloneListEditor::MoveSelectedDown() {
  const int row = SelectedRow();
  if (settings::WorkingCloneList().MoveDown(row + 1)) Changed(row + 1);
}

void CloneListEditor::Select(int row) { list_->setCurrentRow(row); }

int CloneListEditor::SelectedRow() const { return shown_row_; }

std::optional<image::OptionValueFailure> CloneListEditor::Check() const {
  if (form_ == nullptr) return std::nullopt;
  return form_->Check();
}

}  // namespace velmora::ui
