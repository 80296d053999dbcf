#pragma once
// A fixed name for the pseudo-terminal, whose own name changes every run, so
// the port map can point at one path for good.
#include <string>

namespace qel::boxsim {

class SlaveLink {
  public:
    SlaveLink() = default;
    // Replaces a stale symlink of an earlier run; refuses to replace anything
    // else. Throws std::system_error.
    SlaveLink(std::string linkPath, std::string target);
    ~SlaveLink() { remove(); }
    SlaveLink(SlaveLink&& other) noexcept;
    SlaveLink& operator=(SlaveLink&& other) noexcept;
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

    // Only while the link still points at our device: another run may own it now.
    void remove();

  private:
    std::string link_;
    std::string target_;
};

}  // namespace qel::boxsim
