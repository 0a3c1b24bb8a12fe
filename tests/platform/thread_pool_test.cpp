// The worker pool: tasks run on several threads at once, and ending it or
// dropping its queue never cuts a running task short.
#include "platform/thread_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora {
namespace {

using namespace std::chrono_literals;

// A gate the test opens; tasks wait at it.
class Gate {
 public:
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  bool WaitFor(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

TEST(ThreadPool, OneThreadRunsTasksInTheOrderPosted) {
  std::vector<int> order;
  {
    ThreadPool pool(1);
    Gate started;
    pool.Post([&] { started.WaitFor(5s); });
    for (int i = 0; i < 20; ++i) pool.Post([&order, i] { order.push_back(i); });
    started.Open();
    // Ending the pool drops what has not begun; let it all run first.
    Gate done;
    pool.Post([&] { done.Open(); });
    ASSERT_TRUE(done.WaitFor(5s));
  }
  ASSERT_EQ(order.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
}

TEST(ThreadPool, TwoThreadsRunTwoTasksAtOnce) {
  ThreadPool pool(2);
  EXPECT_EQ(pool.size(), 2);
  // Each task waits for the other: only two threads at work finish both.
  Gate first, second;
  std::atomic<int> met{0};
  pool.Post([&] {
    first.Open();
    if (second.WaitFor(5s)) ++met;
  });
  pool.Post([&] {
    second.Open();
    if (first.WaitFor(5s)) ++met;
  });
  // Both have begun once both gates are open; Drop then waits for them.
  ASSERT_TRUE(first.WaitFor(5s));
  ASSERT_TRUE(second.WaitFor(5s));
  pool.Drop();
  EXPECT_EQ(met.load(), 2);
}

TEST(ThreadPool, DropFinishesRunningTasksAndThrowsAwayTheRest) {
  ThreadPool pool(1);
  Gate started, release;
  std::atomic<bool> running_finished{false};
  std::atomic<int> later_ran{0};
  pool.Post([&] {
    started.Open();
    release.WaitFor(5s);
    std::this_thread::sleep_for(20ms);
    running_finished = true;
  });
  for (int i = 0; i < 5; ++i) pool.Post([&] { ++later_ran; });
  ASSERT_TRUE(started.WaitFor(5s));
  release.Open();
  pool.Drop();
  // Drop waited for the task that had begun, and nothing queued behind it ran.
  EXPECT_TRUE(running_finished.load());
  EXPECT_EQ(later_ran.load(), 0);
  // The pool takes work again afterwards.
  Gate again;
  pool.Post([&] { again.Open(); });
  EXPECT_TRUE(again.WaitFor(5s));
}

TEST(ThreadPool, EndingThePoolWaitsForTheRunningTask) {
  std::atomic<bool> finished{false};
  Gate started;
  {
    ThreadPool pool(3);
    pool.Post([&] {
      started.Open();
      std::this_thread::sleep_for(30ms);
      finished = true;
    });
    ASSERT_TRUE(started.WaitFor(5s));
  }
  EXPECT_TRUE(finished.load());
}

TEST(ThreadPool, AtLeastOneThread) {
  ThreadPool pool(0);
  EXPECT_EQ(pool.size(), 1);
  Gate ran;
  pool.Post([&] { ran.Open(); });
  EXPECT_TRUE(ran.WaitFor(5s));
  EXPECT_GE(HardwareThreads(), 1);
}

}  // namespace
}  // namespace velmora
