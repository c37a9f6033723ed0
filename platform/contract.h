#pragma once

namespace zr::platform {

// A programming error (an index outside the block, a code page or control
// name that does not exist): says what and stops the program, in every build,
// rather than go on with memory or state it does not own.
[[noreturn]] void ContractViolated(const char* what);

inline void Expects(bool holds, const char* what) {
  if (!holds) ContractViolated(what);
}

}  // namespace zr::platform
