#pragma once
// Ends the test program when one test runs longer than its limit, so that a graph that stops
// moving fails the test run instead of holding it until the outer timeout.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class TestWatchdog {
 public:
  explicit TestWatchdog(std::chrono::seconds limit)
      : name_(CurrentTestName()), thread_([this, limit] { Watch(limit); }) {}
  ~TestWatchdog() {
    {
      std::lock_guard lock(lock_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  TestWatchdog(const TestWatchdog&) = delete;
  TestWatchdog& operator=(const TestWatchdog&) = delete;

 private:
  static std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("?");
  }

  void Watch(std::chrono::seconds limit) {
    std::unique_lock lock(lock_);
    if (!wake_.wait_for(lock, limit, [this] { return done_; })) {
      std::fprintf(stderr, "%s did not end within %lld s: the test hangs\n", name_.c_str(),
                   static_cast<long long>(limit.count()));
      std::abort();
    }
  }

  const std::string name_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;  // last: starts once the rest is ready
};
