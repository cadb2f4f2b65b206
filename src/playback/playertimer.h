#pragma once
// The player's window timers (PlayTimer, FadeOutStopTimer, StatusResetTimer, the analyser tick)
// behind one small interface, so they run on Qt's event loop in the program and on a clock that
// tests advance by hand.

#include <functional>
#include <memory>
#include <vector>

class TZTimer {
 public:
  virtual ~TZTimer() = default;
  // (Re)starts the timer: it fires every `ms` milliseconds until stopped.
  virtual void Start(int ms) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
  virtual int Interval() const = 0;
};

class TZTimerSource {
 public:
  virtual ~TZTimerSource() = default;
  virtual std::unique_ptr<TZTimer> CreateTimer(std::function<void()> onTimeout) = 0;
};

// Timers on the Qt event loop of the calling thread.
class TZQtTimerSource : public TZTimerSource {
 public:
  std::unique_ptr<TZTimer> CreateTimer(std::function<void()> onTimeout) override;
};

// A clock that only moves when told to. Timers fire in due order; a timer started or stopped by
// another timer's handler takes effect at once.
class TZManualClock : public TZTimerSource {
 public:
  TZManualClock();
  ~TZManualClock() override;
  std::unique_ptr<TZTimer> CreateTimer(std::function<void()> onTimeout) override;

  // Moves the clock forward by `ms`, firing every timer that falls due on the way.
  void Advance(long long ms);
  long long Now() const { return now_; }

 private:
  class ManualTimer;
  friend class ManualTimer;
  ManualTimer* NextDue(long long until) const;

  long long now_ = 0;
  std::vector<ManualTimer*> timers_;
};
