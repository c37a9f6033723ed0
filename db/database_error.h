#pragma once

#include <QString>
#include <stdexcept>

namespace zr::db {

// A connection that could not be opened or a statement that failed; the text
// says which, with the driver's own words.
class DatabaseError : public std::runtime_error {
 public:
  explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

}  // namespace zr::db
