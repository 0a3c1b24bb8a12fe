// The selection tree as the window shows it: each folder with its image
// count and check box, and during and after a run its status mark.
#pragma once

#include <QTreeWidget>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/run/selection_tree.h"

namespace velmora::ui {

class SelectionView : public QTreeWidget {
  Q_OBJECT

 public:
  explicit SelectionView(QWidget* parent = nullptr);

  // Shows `tree` (kept by the caller); unticking a folder clears its check
  // flag in `tree` at once. Null shows an empty view.
  void ShowTree(app::SelectionTree* tree);
  // A line in place of the tree ("reading the folders").
  void ShowNotice(const QString& text);

  // While locked (during a run) the check boxes cannot change.
  void SetLocked(bool locked);
  bool locked() const { return locked_; }

  // Live marks of a run: every ticked folder of the run's `level` waits;
  // then each folder the run reaches is busy and the one before it done.
  void MarkRunStart(std::int32_t level);
  void MarkCurrentDirectory(std::string_view relative_path);
  // The marks the tree carries (after the run).
  void ShowTreeMarks();

  // The item of a node, for tests and screenshots; null when not shown.
  QTreeWidgetItem* ItemOf(int node) const;
  int NodeOf(const QTreeWidgetItem* item) const;
  // The node of a folder below the base directory ("a" or "a/b"); -1 when none.
  int FindRelative(std::string_view relative_path) const;

 signals:
  // A check box was changed by the user.
  void checksChanged();

 private:
  void SetMark(int node, std::string_view mark);
  int Depth(int node) const;

  app::SelectionTree* tree_ = nullptr;
  std::vector<QTreeWidgetItem*> items_;
  bool locked_ = false;
  bool filling_ = false;
  int current_ = -1;
};

}  // namespace velmora::ui
