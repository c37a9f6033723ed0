#pragma once

#include <QString>
#include <optional>

#include "link/block_file_values.h"

namespace zr::cli {

// `undo`: puts back the block the radio held before its last write in the
// station log, that write's backup, with a block file's rules. Found once the
// radio's serial number is read; refused, nothing written, when the log has
// no such write or its backup cannot be read or is another radio's.
class UndoValues : public WriteSource {
 public:
  UndoValues(QString logPath, const platform::AnsiCodePage& codePage)
      : logPath_(std::move(logPath)), codePage_(codePage) {}

  TransferKind Kind() const override { return TransferKind::Undo; }
  std::optional<WriteRefusal> MakeBlock(const BlockAsRead& asRead, FactoryImage& image) override;

 private:
  QString logPath_;
  const platform::AnsiCodePage& codePage_;
  std::optional<BlockFileValues> backup_;
};

}  // namespace zr::cli
