#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "app/station/backup_folder.h"
#include "app/station/records_options.h"
#include "app/station/station_log.h"
#include "link/transfer_outcome.h"
#include "platform/ansi_code_page.h"

namespace zr::station {

// What the station keeps of its transfers, the same for the window and the
// command line: the backup folder that every write saves the radio's block
// to first, whether writes read their lines back, and the station log that
// takes one entry for each transfer.
class TransferRecords {
 public:
  TransferRecords(const StationRecordsOptions& options, const platform::AnsiCodePage& codePage);

  // Null when writes keep no backup.
  BlockBackup* Backup() { return backup_ ? &*backup_ : nullptr; }
  bool Verify() const { return verify_; }

  // Adds the transfer's entry to the station log. `packageCode` is set when
  // the write was to record a package association. Returns why the entry
  // could not be written; empty when it was.
  QString Record(const TransferOutcome& outcome, qint16 comPort, const std::optional<QString>& packageCode) const;

 private:
  platform::AnsiCodePage codePage_;
  std::optional<BackupFolder> backup_;
  bool verify_;
  StationLog log_;
};

}  // namespace zr::station
