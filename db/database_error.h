#pragma once

#include <QString>

#include "record/runtime_error.h"

namespace zr::db {

// A connection that could not be opened or a statement that failed; the text
// says which, with the driver's own words. A run-time error like any other:
// inside a transfer the engine turns it into the outcome.
class DatabaseError : public RuntimeError {
 public:
  explicit DatabaseError(const QString& message) : RuntimeError(message.toStdString()) {}
};

}  // namespace zr::db
