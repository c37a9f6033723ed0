#pragma once

#include <QString>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/contract.h"

namespace zr::station {

// What an operation on one of the station's files gave: its value, or why not
// in words that name the file. The one result the station's file operations
// return; underneath, the system's steps (durable_file.h) report a
// std::error_code, and the link's seams (BlockBackup, WriteJournal) raise
// RuntimeError with the same words.
template <typename Value = std::monostate>
class [[nodiscard]] FileResult {
 public:
  // Done (and, for a result without a value, nothing more to say).
  FileResult()
    requires std::is_same_v<Value, std::monostate>
  = default;
  FileResult(Value value) : value_(std::move(value)) {}  // NOLINT: a value is a success
  static FileResult Failed(QString why) {
    platform::Expects(!why.isEmpty(), "a failure says why");
    FileResult failed{std::in_place};
    failed.why_ = std::move(why);
    return failed;
  }

  bool Ok() const { return why_.isEmpty(); }
  const QString& Why() const { return why_; }
  const Value& Get() const {
    platform::Expects(Ok(), "a failed file operation has no value");
    return value_;
  }

 private:
  FileResult(std::in_place_t) {}

  Value value_{};
  QString why_;
};

}  // namespace zr::station
