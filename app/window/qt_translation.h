#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

#include "lang/ui_language.h"

namespace zr::window {

// Qt's own texts (the message boxes' standard buttons) for `language`, from
// `directory` (empty: Qt's translations folder), ready for installing on the
// application. Null for English, which those texts are already, and when the
// file cannot be loaded: then the boxes keep English buttons, and standard
// error says which file is missing.
std::unique_ptr<QTranslator> LoadQtTranslation(lang::UiLanguage language, const QString& directory);

}  // namespace zr::window
