#include "ui/timer.h"

#include "ui/window_system.h"

namespace dv {

Timer::Timer(Ui& ui, int intervalMs) : ui_(ui), interval_(intervalMs) {
    ui_.registerTimer(this);
}

Timer::~Timer() {
    ui_.unregisterTimer(this);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) due_ = ui_.nowMs() + static_cast<uint64_t>(ms > 0 ? ms : 0);
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    if (on) due_ = ui_.nowMs() + static_cast<uint64_t>(interval_ > 0 ? interval_ : 0);
}

}  // namespace dv
