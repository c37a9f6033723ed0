#include "link/window_values.h"

#include "record/image_codec.h"

namespace zr {

std::optional<WriteRefusal> WindowValues::MakeBlock(const BlockAsRead& asRead, FactoryImage& image) {
  // Refused, "write error" is shown: the radio keeps its block and no package is recorded.
  if (!host_.GetDataByShow()) {
    return WriteRefusal{TransferEnd::WriteRefused,
                        QStringLiteral("the three-band entry is not for this radio; nothing was written")};
  }
  EncodeImage(state_.FactoryRecord, image, codePage_, asRead.lines);
  return std::nullopt;
}

}  // namespace zr
