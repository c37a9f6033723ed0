#pragma once

#include <QString>
#include <stdexcept>

namespace zr::sim {

// A reason the simulator cannot start (bad option, unreadable image file, port
// entry taken). The message is for the operator, printed as it stands.
class SetupError : public std::runtime_error {
 public:
  explicit SetupError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

}  // namespace zr::sim
