// A fixed set of worker threads that run posted tasks in the order they were
// posted. Ending the pool (or Drop) throws away the tasks no worker has begun
// and waits for the ones that are running, so that whatever a task writes is
// either complete or never started.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora {

class ThreadPool {
 public:
  explicit ThreadPool(int threads);
  ~ThreadPool();
  ThreadPool(const ThreadPool&) = delete;
  ThreadPool& operator=(const ThreadPool&) = delete;

  // A task must not throw: an exception leaving it ends the program.
  void Post(std::function<void()> task);
  // Throws away the tasks not yet begun and waits for the running ones.
  void Drop();

  int size() const { return static_cast<int>(workers_.size()); }

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;  // a task came, or the pool ends
  std::condition_variable idle_;  // a task ended
  std::deque<std::function<void()>> tasks_;
  int running_ = 0;
  bool ending_ = false;
  std::vector<std::thread> workers_;
};

// The cores of this machine, at least 1.
int HardwareThreads();

}  // namespace velmora
