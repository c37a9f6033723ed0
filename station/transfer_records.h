#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "link/station_state.h"
#include "link/transfer_host.h"
#include "link/transfer_outcome.h"
#include "link/write_journal.h"
#include "platform/ansi_code_page.h"
#include "station/backup_folder.h"
#include "station/records_options.h"
#include "station/station_log.h"

namespace zr::station {

// What the station keeps of its transfers, the same for the window and the
// command line: the backup folder that every write saves the radio's block
// to first, whether writes read their lines back, and the station log that
// takes a "write started" entry before a write's first write frame and one
// entry for each transfer's end.
class TransferRecords : public WriteJournal {
 public:
  TransferRecords(const StationRecordsOptions& options, const platform::AnsiCodePage& codePage);

  // Null when writes keep no backup.
  BlockBackup* Backup() { return backup_ ? &*backup_ : nullptr; }
  WriteJournal* Journal() { return this; }
  const QString& LogPath() const { return log_.Path(); }
  bool Verify() const { return verify_; }

  QString WriteStarting(const TransferOutcome& progress, qint16 comPort, const std::vector<int>& lines) override;

  // Adds the transfer's entry to the station log. `packageCode` is set when
  // the write was to record a package association.
  FileResult<> Record(const TransferOutcome& outcome, qint16 comPort, const std::optional<QString>& packageCode) const;
  // The one step both front ends end a transfer with: its entry, with the
  // port and, for a write in a mode that associates packages, the package
  // code as the database gets it.
  FileResult<> RecordEnd(const TransferOutcome& outcome, const StationState& state, AssociationMode mode) const;

 private:
  platform::AnsiCodePage codePage_;
  std::optional<BackupFolder> backup_;
  bool verify_;
  StationLog log_;
};

}  // namespace zr::station
