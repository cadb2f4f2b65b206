#include "playback/playertimer.h"

#include <QTimer>
#include <algorithm>

namespace {

class QtTimer : public TZTimer {
 public:
  explicit QtTimer(std::function<void()> onTimeout) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTimeout));
  }
  void Start(int ms) override { timer_.start(ms); }
  void Stop() override { timer_.stop(); }
  bool IsActive() const override { return timer_.isActive(); }
  int Interval() const override { return timer_.interval(); }

 private:
  QTimer timer_;
};

}  // namespace

std::unique_ptr<TZTimer> TZQtTimerSource::CreateTimer(std::function<void()> onTimeout) {
  return std::make_unique<QtTimer>(std::move(onTimeout));
}

class TZManualClock::ManualTimer : public TZTimer {
 public:
  ManualTimer(TZManualClock* clock, std::function<void()> onTimeout)
      : clock_(clock), onTimeout_(std::move(onTimeout)) {
    clock_->timers_.push_back(this);
  }
  ~ManualTimer() override {
    if (clock_) {
      std::erase(clock_->timers_, this);
    }
  }
  void Start(int ms) override {
    interval_ = std::max(ms, 1);
    due_ = clock_->now_ + interval_;
    active_ = true;
  }
  void Stop() override { active_ = false; }
  bool IsActive() const override { return active_; }
  int Interval() const override { return interval_; }

  void Fire() {
    due_ += interval_;
    onTimeout_();
  }
  void Detach() { clock_ = nullptr; }

  long long due_ = 0;
  bool active_ = false;

 private:
  TZManualClock* clock_;
  std::function<void()> onTimeout_;
  int interval_ = 0;
};

TZManualClock::TZManualClock() = default;

TZManualClock::~TZManualClock() {
  for (ManualTimer* timer : timers_) {
    timer->Detach();
  }
}

std::unique_ptr<TZTimer> TZManualClock::CreateTimer(std::function<void()> onTimeout) {
  return std::make_unique<ManualTimer>(this, std::move(onTimeout));
}

TZManualClock::ManualTimer* TZManualClock::NextDue(long long until) const {
  ManualTimer* next = nullptr;
  for (ManualTimer* timer : timers_) {
    if (timer->active_ && timer->due_ <= until && (!next || timer->due_ < next->due_)) {
      next = timer;
    }
  }
  return next;
}

void TZManualClock::Advance(long long ms) {
  const long long until = now_ + ms;
  while (ManualTimer* timer = NextDue(until)) {
    now_ = timer->due_;
    timer->Fire();
  }
  now_ = until;
}
