#include "ui/termination.h"

#include <atomic>
#include <csignal>

namespace dv {

namespace {

// Lock-free, so the handler may touch it.
std::atomic<int> requested{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void noteTermination(int signal) {
    requested.store(signal);
}

}  // namespace

void InstallTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in progress returns at once, so the request is seen soon.
    action.sa_flags = 0;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int TakeTerminationRequest() {
    return requested.exchange(0);
}

}  // namespace dv
