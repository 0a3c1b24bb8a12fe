// The pixel work of a run, ahead of its turn: the run hands the images that
// come next to worker threads, which decode, shrink, encode and write their
// clones and thumbnails, and takes each outcome back when the image's turn
// comes, in run order. Only the pipeline runs on the workers; everything the
// order of the run defines (scripts, context, pages, counters, messages,
// the log) stays with the caller.
//
// At most `threads` images are decoded at once, and no more than twice as
// many are handed over ahead of the turn, so memory stays flat however long
// the run. An image is made ahead, but its files are written only once every
// image handed before it is finished, and one that failed has been taken
// back: a Cancel on its error then leaves no later image written.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <future>
#include <map>
#include <mutex>
#include <optional>

#include "image/rl_image.h"
#include "platform/thread_pool.h"

namespace velmora::app {

class ImageWorkers {
 public:
  // The pipeline's options must name no hooks: scripts never run on a worker.
  ImageWorkers(const image::PipelineOptions& options, int threads);
  ~ImageWorkers();
  ImageWorkers(const ImageWorkers&) = delete;
  ImageWorkers& operator=(const ImageWorkers&) = delete;

  // `turn` numbers the images in run order; jobs are handed in that order.
  struct Job {
    std::size_t turn = 0;
    image::RLImageFile input;
    image::ImageFolders folders;
  };

  // How many more images may be handed over now.
  std::size_t Room() const;
  void Hand(Job job);

  // The outcome of the image at `turn`, waiting for it, when that image was
  // handed over with exactly this input. Nothing otherwise: the caller makes
  // it itself. Images handed for earlier turns (which the run then skipped)
  // are finished and forgotten first.
  std::optional<image::ImageOutcome> Take(std::size_t turn, const image::RLImageFile& input,
                                          const image::ImageFolders& folders);

  // Ends the look-ahead: images no worker has begun are dropped, the ones
  // being made stop before their next file (a file being written is
  // finished whole), nothing is handed back.
  void Stop();

 private:
  struct Slot {
    Job job;
    std::future<image::ImageOutcome> outcome;
  };
  // An image handed over and not yet taken back: whether it is finished,
  // and whether it failed.
  struct Progress {
    bool finished = false;
    bool failed = false;
  };

  // The write gate of the image at `turn`: waits until the images before it
  // let it write; false once the look-ahead ends.
  bool MayWrite(std::size_t turn);
  void Finished(std::size_t turn, bool failed);

  image::RLImage pipeline_;
  std::size_t window_;
  std::deque<Slot> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::size_t, Progress> progress_;  // by turn
  bool stopping_ = false;
  ThreadPool pool_;
};

}  // namespace velmora::app
