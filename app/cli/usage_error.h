#pragma once

#include <stdexcept>

namespace zr::cli {

// A bad command-line argument, refused before anything is sent; the message
// names it. Caught in one place, RunSubcommand.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zr::cli
