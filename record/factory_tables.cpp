#include "record/factory_tables.h"

namespace zr {

const QStringList& ModelList() {
  static const QStringList models = {ExpectedModel};
  return models;
}

const QStringList& BandDescriptions() {
  static const QStringList bands = {
      QStringLiteral("UHF{400 - 480 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{400 - 480 MHz} VHF{144 - 146 MHz}"),
      QStringLiteral("UHF{430 - 440 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{430 - 440 MHz} VHF{144 - 146 MHz}"),
      QStringLiteral("UHF{440 - 480 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{440 - 480 MHz} VHF{144 - 146 MHz}"),
      QStringLiteral("UHF{446 - 447 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{446 - 447 MHz} VHF{144 - 146 MHz}"),
      QStringLiteral("UHF{400 - 470 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{430 - 432 MHz} VHF{144 - 146 MHz}"),
      QStringLiteral("UHF{RX(400-480MHz)TX(430-450MHz)} VHF{RX(136-174MHz)TX(144-148 MHz)}"),
      QStringLiteral("UHF{400 - 520 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{400 - 490 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{403 - 470 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{400 - 520 MHz} MHF{220 - 225 MHz} VHF{136 - 174 MHz}"),
      QStringLiteral("UHF{420 - 450 MHz} VHF{144 - 148 MHz}"),
  };
  return bands;
}

const QStringList& WorkCountries() {
  static const QStringList countries = {QStringLiteral("International"), QStringLiteral("English"),
                                        QStringLiteral("Chinese")};
  return countries;
}

}  // namespace zr
