#include "app/cli/radio_values.h"

#include "app/cli/field_arguments.h"
#include "record/image_codec.h"

namespace zr::cli {

RadioValuesWithChanges::RadioValuesWithChanges(StationState& state, CliHost& host,
                                               const platform::AnsiCodePage& codePage,
                                               std::vector<std::pair<QString, QString>> sets,
                                               std::optional<bool> bandChange)
    : state_(state),
      host_(host),
      codePage_(codePage),
      sets_(std::move(sets)),
      bandChange_(bandChange),
      windowValues_(state, host, codePage) {}

std::optional<WriteRefusal> RadioValuesWithChanges::MakeBlock(const BlockAsRead& asRead, FactoryImage& image) {
  DecodeImage(asRead.bytes, state_.FactoryRecord, codePage_);
  host_.ShowByData();
  const int radioBand = host_.Form().bandPosition;
  // The values were checked before the port opened; here they only land.
  for (const auto& [name, value] : sets_) SetWindowField(host_.Form(), name, value);
  // Changing a radio's band is a decision, not a side effect of a script.
  if (const int band = host_.Form().bandPosition; band != radioBand && !bandChange_) {
    return WriteRefusal{TransferEnd::WriteRefused,
                        QStringLiteral("BandIndex %1 is not the radio's band %2: say --band-change ok to change "
                                       "it, or cancel to keep it; nothing was written")
                            .arg(band)
                            .arg(radioBand)};
  }
  return windowValues_.MakeBlock(asRead, image);
}

}  // namespace zr::cli
