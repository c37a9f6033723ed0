#pragma once

#include <QString>
#include <optional>

#include "link/transfer_outcome.h"
#include "record/factory_image.h"

namespace zr {

// Why a write sends nothing after all; the radio leaves programming mode with its block as it was.
struct WriteRefusal {
  TransferEnd end;
  QString cause;
};

// Where the block a write sends comes from: the window's values, the radio's
// own values with a few changed, or a block file. Asked once a write's reads
// are in, before its backup and its first write frame.
class WriteSource {
 public:
  virtual ~WriteSource() = default;
  virtual TransferKind Kind() const { return TransferKind::Write; }
  // Whether the source needs every line of the radio, not only those the
  // model check reads (the backup reads them all anyway).
  virtual bool NeedsWholeBlock() const { return false; }
  // Makes the block to send in `image`, which holds the radio's lines as
  // read this session (`asRead`) and, in lines not read, what the station
  // last held. Returns why not, when the write must not go on. May raise
  // RuntimeError for a value that cannot be written.
  virtual std::optional<WriteRefusal> MakeBlock(const BlockAsRead& asRead, FactoryImage& image) = 0;
};

}  // namespace zr
