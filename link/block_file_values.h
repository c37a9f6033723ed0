#pragma once

#include "link/write_source.h"
#include "platform/ansi_code_page.h"

namespace zr {

// A write of a whole block file (a backup put back): its lines 0x00, 0x20,
// 0x40 ... 0xF0, except what stays the radio's in every write: the model and
// serial-number lines, the three-band bit, RemoteKill and RemoteStun. Another
// radio's file is refused unless `otherRadio`.
class BlockFileValues : public WriteSource {
 public:
  BlockFileValues(const FactoryImage& file, bool otherRadio, const platform::AnsiCodePage& codePage)
      : file_(file), otherRadio_(otherRadio), codePage_(codePage) {}

  TransferKind Kind() const override { return TransferKind::ImageWrite; }
  std::optional<WriteRefusal> MakeBlock(const BlockAsRead& asRead, FactoryImage& image) override;

 private:
  FactoryImage file_;
  bool otherRadio_;
  const platform::AnsiCodePage& codePage_;
};

}  // namespace zr
