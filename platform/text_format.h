#pragma once

#include <QLatin1StringView>
#include <QString>
#include <string_view>

namespace zr {

// "4A", "02FA0030": upper-case hexadecimal digits, at least `digits` of them.
inline QString Hex(unsigned value, int digits = 2) {
  return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// The station's own names (fields, endings) as text.
inline QString Latin1(std::string_view name) {
  return QLatin1StringView(name.data(), static_cast<qsizetype>(name.size())).toString();
}

}  // namespace zr
