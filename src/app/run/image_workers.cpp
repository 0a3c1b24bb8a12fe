// The run's image workers.
#include "app/run/image_workers.h"

#include <algorithm>
#include <memory>

namespace velmora::app {
namespace {

image::PipelineOptions WithoutHooks(image::PipelineOptions options) {
  options.hooks = nullptr;
  return options;
}

}  // namespace

ImageWorkers::ImageWorkers(const image::PipelineOptions& options, int threads)
    : pipeline_(WithoutHooks(options)),
      window_(2 * static_cast<std::size_t>(std::max(1, threads))),
      pool_(threads) {}

ImageWorkers::~ImageWorkers() { Stop(); }

std::size_t ImageWorkers::Room() const { return slots_.size() < window_ ? window_ - slots_.size() : 0; }

void ImageWorkers::Hand(Job job) {
  {
    std::lock_guard lock(mutex_);
    progress_[job.turn] = {};
  }
  auto task = std::make_shared<std::packaged_task<image::ImageOutcome()>>(
      [this, turn = job.turn, input = job.input, folders = job.folders] {
        image::ImageOutcome outcome = pipeline_.DoIt(input, folders, [this, turn] { return MayWrite(turn); });
        Finished(turn, outcome.error.has_value() || outcome.dropped);
        // The run never looks at the original's markers: they need not wait
        // in memory for the image's turn.
        outcome.input_metadata.clear();
        return outcome;
      });
  std::future<image::ImageOutcome> outcome = task->get_future();
  pool_.Post([task] { (*task)(); });
  slots_.push_back({std::move(job), std::move(outcome)});
}

// The pool begins tasks in the order handed over, so every image before
// this one is being made or done: waiting for them cannot wait forever.
bool ImageWorkers::MayWrite(std::size_t turn) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    if (stopping_) return true;
    for (const auto& [earlier, progress] : progress_) {
      if (earlier >= turn) break;
      if (!progress.finished || progress.failed) return false;
    }
    return true;
  });
  return !stopping_;
}

void ImageWorkers::Finished(std::size_t turn, bool failed) {
  {
    std::lock_guard lock(mutex_);
    const auto it = progress_.find(turn);
    if (it != progress_.end()) it->second = {true, failed};
  }
  changed_.notify_all();
}

std::optional<image::ImageOutcome> ImageWorkers::Take(std::size_t turn, const image::RLImageFile& input,
                                                      const image::ImageFolders& folders) {
  // The images before this turn have been taken back and their errors
  // reported without a Cancel: they no longer hold back the later ones'
  // writing. This one does until the next turn, in case it failed.
  {
    std::lock_guard lock(mutex_);
    progress_.erase(progress_.begin(), progress_.lower_bound(turn));
  }
  changed_.notify_all();
  // An image handed over but skipped at its turn is still made: its files
  // must be complete before the run goes on past it.
  while (!slots_.empty() && slots_.front().job.turn < turn) {
    slots_.front().outcome.wait();
    slots_.pop_front();
  }
  if (slots_.empty() || slots_.front().job.turn != turn) return std::nullopt;
  Slot slot = std::move(slots_.front());
  slots_.pop_front();
  image::ImageOutcome outcome = slot.outcome.get();
  if (slot.job.input != input || slot.job.folders != folders) return std::nullopt;
  return outcome;
}

void ImageWorkers::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  pool_.Drop();
  slots_.clear();
  std::lock_guard lock(mutex_);
  progress_.clear();
}

}  // namespace velmora::app
