#pragma once

#include <QString>
#include <QStringList>

namespace zr {

// The model text every radio this station serves carries at 0x10.
inline const QString ExpectedModel = QStringLiteral("ZR93KW");
// The model list: the expected model only.
const QStringList& ModelList();

// Band list positions, as stored in byte 0x03.
const QStringList& BandDescriptions();
// Position of the only three-band entry (it has the 220 to 225 MHz band).
inline constexpr int ThreeBandPosition = 14;

// Work-country list positions, as stored in byte 0x04.
const QStringList& WorkCountries();

}  // namespace zr
