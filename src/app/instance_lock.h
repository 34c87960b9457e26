#pragma once

#include <filesystem>

namespace dv {

// Held for the whole run beside the save file, so two copies of the game never share one
// save; copies installed in other folders run freely.
class InstanceLock {
  public:
    explicit InstanceLock(const std::filesystem::path& saveDir);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    // False when another copy holds the lock.
    bool acquired() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace dv
