#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

#include "lang/ui_language.h"

namespace zr::window {

// Window title; the same in both languages.
inline const QString WindowCaption = QStringLiteral("ZR93KW_SetFactory");

// A control whose caption follows the interface language. Control is the
// control's name as the window knows it: "Command1", "Label1(3)", "Frame2".
struct LanguageCaption {
  QString Control;
  QString English;
  QString Chinese;

  // The Chinese text for UiLanguage::Chinese, the English text otherwise.
  const QString& Text(lang::UiLanguage uiLanguage) const;
};

// A control whose caption is the same in both languages.
struct FixedCaption {
  QString Control;
  QString Text;
};

inline constexpr int LanguageCaptionCount = 24;
inline constexpr int FixedCaptionCount = 7;

// Every caption the start-up sets by language: buttons, labels, frames and
// the factory-mode, kill and stun check boxes.
const std::array<LanguageCaption, LanguageCaptionCount>& LanguageCaptions();

// The mode options and the feature check boxes whose captions never change.
const std::array<FixedCaption, FixedCaptionCount>& FixedCaptions();

}  // namespace zr::window
