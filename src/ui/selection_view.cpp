// The selection tree widget.
#include "ui/selection_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

#include "ui/qt_text.h"

namespace velmora::ui {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;

QIcon MarkIcon(const QColor& colour) {
  QPixmap pixmap(14, 14);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(colour.darker(150));
  painter.setBrush(colour);
  painter.drawEllipse(1, 1, 12, 12);
  return QIcon(pixmap);
}

QIcon IconOf(std::string_view mark) {
  static const QIcon waiting = MarkIcon(QColor(220, 50, 40));
  static const QIcon busy = MarkIcon(QColor(240, 200, 30));
  static const QIcon done = MarkIcon(QColor(60, 170, 60));
  static const QIcon neutral = MarkIcon(QColor(150, 150, 150));
  if (mark == app::kMarkWaiting) return waiting;
  if (mark == app::kMarkBusy) return busy;
  if (mark == app::kMarkDone) return done;
  if (mark == app::kMarkNeutral) return neutral;
  return {};
}

}  // namespace

SelectionView::SelectionView(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
    if (filling_ || tree_ == nullptr) return;
    const int node = NodeOf(item);
    if (node < 0) return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (locked_) {
      // A run reads the flags: the box goes back to what the run uses.
      filling_ = true;
      item->setCheckState(0, tree_->node(node).checked ? Qt::Checked : Qt::Unchecked);
      filling_ = false;
      return;
    }
    if (tree_->node(node).checked == checked) return;
    tree_->node(node).checked = checked;
    emit checksChanged();
  });
}

void SelectionView::ShowTree(app::SelectionTree* tree) {
  filling_ = true;
  clear();
  items_.clear();
  tree_ = tree;
  current_ = -1;
  if (tree_ != nullptr) {
    const auto& nodes = tree_->nodes();
    items_.assign(nodes.size(), nullptr);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const app::SelectionNode& node = nodes[i];
      QTreeWidgetItem* item = node.parent < 0 ? new QTreeWidgetItem(this)
                                              : new QTreeWidgetItem(items_[static_cast<std::size_t>(node.parent)]);
      item->setText(0, FromCp1252(node.text));
      item->setData(0, kNodeRole, static_cast<int>(i));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(0, node.checked ? Qt::Checked : Qt::Unchecked);
      if (node.bold) {
        QFont font = item->font(0);
        font.setBold(true);
        item->setFont(0, font);
      }
      item->setIcon(0, IconOf(node.mark));
      items_[i] = item;
    }
    expandAll();
  }
  filling_ = false;
}

void SelectionView::ShowNotice(const QString& text) {
  ShowTree(nullptr);
  auto* item = new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setFlags(Qt::ItemIsEnabled);
}

void SelectionView::SetLocked(bool locked) { locked_ = locked; }

QTreeWidgetItem* SelectionView::ItemOf(int node) const {
  return node >= 0 && static_cast<std::size_t>(node) < items_.size() ? items_[static_cast<std::size_t>(node)]
                                                                      : nullptr;
}

int SelectionView::NodeOf(const QTreeWidgetItem* item) const {
  if (item == nullptr) return -1;
  const QVariant node = item->data(0, kNodeRole);
  return node.isValid() ? node.toInt() : -1;
}

int SelectionView::FindRelative(std::string_view relative_path) const {
  if (tree_ == nullptr || tree_->empty()) return -1;
  const std::string root(tree_->node(0).full_path());
  if (relative_path == "." || relative_path.empty()) return 0;
  return tree_->Find("K" + root + (root.ends_with('/') ? "" : "/") + std::string(relative_path));
}

int SelectionView::Depth(int node) const {
  int depth = 0;
  for (int at = tree_->node(node).parent; at >= 0; at = tree_->node(at).parent) ++depth;
  return depth;
}

void SelectionView::SetMark(int node, std::string_view mark) {
  if (QTreeWidgetItem* item = ItemOf(node)) {
    filling_ = true;
    item->setIcon(0, IconOf(mark));
    filling_ = false;
  }
}

void SelectionView::MarkRunStart(std::int32_t level) {
  if (tree_ == nullptr) return;
  current_ = -1;
  for (int node = 0; node < static_cast<int>(tree_->nodes().size()); ++node) {
    const app::SelectionNode& shown = tree_->node(node);
    SetMark(node, Depth(node) == level && shown.checked && shown.image_count > 0 ? app::kMarkWaiting : "");
  }
}

void SelectionView::MarkCurrentDirectory(std::string_view relative_path) {
  const int node = FindRelative(relative_path);
  if (node == current_) return;
  if (current_ >= 0) SetMark(current_, app::kMarkDone);
  current_ = node;
  if (node >= 0) {
    SetMark(node, app::kMarkBusy);
    scrollToItem(ItemOf(node));
  }
}

void SelectionView::ShowTreeMarks() {
  if (tree_ == nullptr) return;
  current_ = -1;
  for (int node = 0; node < static_cast<int>(tree_->nodes().size()); ++node) SetMark(node, tree_->node(node).mark);
}

}  // namespace velmora::ui
