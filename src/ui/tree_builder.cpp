// Building the selection tree in the background.
#include "ui/tree_builder.h"

#include "ui/background_thread.h"

namespace velmora::ui {

TreeBuilder::~TreeBuilder() {
  disconnect(this, &TreeBuilder::built, nullptr, nullptr);
  waiting_.reset();
  WaitForBackground(thread_);
}

void TreeBuilder::Build(const std::string& base, std::int32_t level) {
  waiting_ = Request{base, level};
  if (thread_ == nullptr) StartNext();
}

void TreeBuilder::StartNext() {
  current_ = std::move(*waiting_);
  waiting_.reset();
  thread_ = StartBackground(
      this, [this] { building_result_ = app::BuildRunTree(building_, current_.base, current_.level); },
      [this] {
        thread_ = nullptr;
        if (waiting_) {
          StartNext();
          return;
        }
        tree_ = std::move(building_);
        building_ = app::SelectionTree();
        result_ = building_result_;
        base_ = current_.base;
        emit built();
      });
}

}  // namespace velmora::ui
