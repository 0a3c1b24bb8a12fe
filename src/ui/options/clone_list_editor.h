// The clone list editor of the effects page: the working clone list with
// buttons to add, duplicate, remove and reorder items, the form of the
// selected item and the live preview of the whole list.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "image/stamps/option_value_checks.h"

class QListWidget;
class QLabel;
class QScrollArea;
class QPushButton;

namespace velmora::ui {

class CloneItemForm;
class ClonePreview;

class CloneListEditor : public QWidget {
  Q_OBJECT
 public:
  explicit CloneListEditor(QWidget* parent);

  // Shows the working list again (after a reload).
  void Reload();
  // The photo the preview shows; empty: the sample picture.
  void SetPreviewPhoto(const std::filesystem::path& photo);

  // Button actions, also for tests: positions count from 0.
  void AddTextStamp();
  void AddImageStamp();
  void AddBorder();
  void AddEffect();
  void DuplicateSelected();
  void RemoveSelected();
  void MoveSelectedUp();
  void MoveSelectedDown();
  void Select(int row);
  int SelectedRow() const;

  QListWidget* list() const { return list_; }
  CloneItemForm* form() const { return form_; }
  ClonePreview& preview() const { return *preview_; }

  // The form's first refused field, when an item is shown.
  std::optional<image::OptionValueFailure> Check() const;

 signals:
  void edited();
  // Another item is about to be shown: the dialog checks the current form
  // first and sets `allowed` to false to keep it.
  void leavingItem(bool& allowed);

 private:
  void Fill(int select_row);
  void ShowItem(int row);
  void Changed(int select_row);
  QString Caption(int position) const;

  QListWidget* list_ = nullptr;
  QScrollArea* form_area_ = nullptr;
  CloneItemForm* form_ = nullptr;
  QLabel* preview_label_ = nullptr;
  QLabel* preview_time_ = nullptr;
  ClonePreview* preview_ = nullptr;
  int shown_row_ = -1;
  bool filling_ = false;
};

}  // namespace velmora::ui
