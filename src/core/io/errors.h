#pragma once
// The one error type of the core: its message is shown to the race director
// as it stands ("what failed, which file"), so it must read well on its own.
#include <stdexcept>
#include <string>

namespace qel {

class QelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace qel
