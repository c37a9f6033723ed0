#pragma once

#include <stdexcept>

namespace zr {

// A value that cannot be put where it is asked to go (a double-byte character
// into a one-byte field, a list position that is not a byte, a value a window
// control cannot take). Raised inside a transfer, it ends the transfer through
// the engine's error path.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zr
