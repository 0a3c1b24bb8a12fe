// The worker threads.
#include "platform/thread_pool.h"

#include <algorithm>

namespace velmora {

ThreadPool::ThreadPool(int threads) {
  const int count = std::max(1, threads);
  workers_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ThreadPool::~ThreadPool() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    tasks_.clear();
  }
  wake_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void ThreadPool::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void ThreadPool::Drop() {
  std::unique_lock lock(mutex_);
  // The dropped tasks are destroyed outside the lock: they may own things
  // whose destructors wake other threads.
  std::deque<std::function<void()>> dropped;
  dropped.swap(tasks_);
  idle_.wait(lock, [this] { return running_ == 0; });
  lock.unlock();
}

void ThreadPool::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return ending_ || !tasks_.empty(); });
    if (tasks_.empty()) return;  // ending, nothing left that may run
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    ++running_;
    lock.unlock();
    task();
    task = nullptr;  // what the task held goes before the pool counts it done
    lock.lock();
    --running_;
    idle_.notify_all();
  }
}

int HardwareThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

}  // namespace velmora
