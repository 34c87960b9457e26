#pragma once

#include <cstdint>
#include <functional>

namespace dv {

class Ui;

// A tick every interval while enabled; runs in whatever event loop is waiting, nested
// modal loops included. Enabling restarts the interval.
class Timer {
  public:
    Timer(Ui& ui, int intervalMs = 0);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    std::function<void()> onTick;

  private:
    friend class Ui;
    Ui& ui_;
    int interval_;
    bool enabled_ = false;
    uint64_t due_ = 0;
};

}  // namespace dv
