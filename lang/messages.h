#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

#include "lang/ui_language.h"

// Every message text of the station in one place: the few that follow the
// interface language, and those shown as they are in both languages.
namespace zr::lang {

// Band change confirmation, indexed by UiLanguage; entry 0 stays empty.
using BandChangeMessageTable = std::array<QString, 3>;
BandChangeMessageTable BandChangeMessages();
// The entry of a language (English or Chinese).
QString BandChangeMessageOf(UiLanguage uiLanguage);

// Model check: English for UiLanguage::English, Chinese otherwise.
QString ModelTypeErrorText(UiLanguage uiLanguage);

// Status after a write in scan-code write mode: Chinese for
// UiLanguage::Chinese, English otherwise.
QString WaitingNextText(UiLanguage uiLanguage);

// Texts in one language only.
inline const QString ReadCompleteText = QStringLiteral("Read Complete!");
inline const QString WriteCompleteText = QStringLiteral("Write Complete!");
inline const QString CommunicationFailedText = QStringLiteral("Communication failed!");
inline const QString CannotOpenPortText = QStringLiteral("Cannot Open Communication Port.");
inline const QString WriteErrorText = QStringLiteral("write error");
inline const QString UnknownOperatingSystemText = QStringLiteral("未知操作系统");
inline const QString AssociationFailedRetryText = QStringLiteral("在数据库中建立关联失败,是否重建关联？");

}  // namespace zr::lang
