// The selection tree of a base directory, built on a thread of its own so
// that the window stays responsive while a large photo tree is counted.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <cstdint>
#include <optional>
#include <string>

#include "app/run/selection_tree.h"
#include "app/run_tree.h"

namespace velmora::ui {

class TreeBuilder : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  ~TreeBuilder() override;

  // Builds the tree for `base` (absolute, Windows-1252) and `level`. A
  // request made while a build is going replaces any waiting one and runs
  // when the current one ends; only the last request's tree is delivered.
  void Build(const std::string& base, std::int32_t level);
  bool busy() const { return thread_ != nullptr; }

  // The tree and the result of the last delivered build.
  app::SelectionTree& tree() { return tree_; }
  app::TreeBuild result() const { return result_; }
  const std::string& base() const { return base_; }

 signals:
  void built();

 private:
  struct Request {
    std::string base;
    std::int32_t level = 0;
  };
  void StartNext();

  std::optional<Request> waiting_;
  Request current_;
  app::SelectionTree building_;
  app::TreeBuild building_result_ = app::TreeBuild::kBaseUnavailable;
  app::SelectionTree tree_;
  app::TreeBuild result_ = app::TreeBuild::kBaseUnavailable;
  std::string base_;
  QPointer<QThread> thread_;
};

}  // namespace velmora::ui
