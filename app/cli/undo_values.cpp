#include "app/cli/undo_values.h"

#include "record/image_codec.h"
#include "station/block_file.h"
#include "station/last_backup.h"

namespace zr::cli {

std::optional<WriteRefusal> UndoValues::MakeBlock(const BlockAsRead& asRead, FactoryImage& image) {
  const auto refused = [](const QString& why) {
    return WriteRefusal{TransferEnd::ImageRefused, why + QStringLiteral("; nothing was written")};
  };
  const auto found = station::LastWriteBackup(logPath_, SerialNumberText(asRead.bytes, codePage_));
  if (!found.Ok()) return refused(found.Why());
  const auto file = station::BlockFileToWrite(found.Get(), codePage_, QStringLiteral("the backup"));
  if (!file.Ok()) return refused(file.Why());
  backup_.emplace(file.Get(), false, codePage_);
  return backup_->MakeBlock(asRead, image);
}

}  // namespace zr::cli
