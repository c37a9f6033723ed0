#pragma once

#include <QDateTime>
#include <QString>

#include "link/block_backup.h"
#include "platform/ansi_code_page.h"

namespace zr::station {

// Saves each block as its own file in one folder, named by the radio's serial
// number and the UTC second, "SN0042-20261206T104212Z.bin"; a second save in
// the same second gets "-2", then "-3", and never replaces a file.
class BackupFolder : public BlockBackup {
 public:
  using Clock = QDateTime (*)();

  // `codePage` decodes the serial number; `now` is the time the names carry.
  BackupFolder(QString folder, platform::AnsiCodePage codePage, Clock now = &QDateTime::currentDateTimeUtc);

  // Creates the folder (and those above it) when missing. On failure no part
  // of the file is left behind.
  QString Save(const FactoryImage& block) override;

 private:
  QString folder_;
  platform::AnsiCodePage codePage_;
  Clock now_;
};

}  // namespace zr::station
