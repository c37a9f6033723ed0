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
  if (const auto* none = std::get_if<station::NoBackup>(&found)) return refused(none->why);
  const auto file = station::BlockFileToWrite(std::get<QString>(found), codePage_, QStringLiteral("the backup"));
  if (const QString* why = std::get_if<QString>(&file)) return refused(*why);
  backup_.emplace(std::get<FactoryImage>(file), false, codePage_);
  return backup_->MakeBlock(asRead, image);
}

}  // namespace zr::cli
