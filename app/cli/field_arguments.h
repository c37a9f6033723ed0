#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "app/cli/usage_error.h"
#include "platform/ansi_code_page.h"
#include "record/form_values.h"

// The record's fields on the command line: --set into the form, the shown
// fields out of it, and the words write --help has for them.
namespace zr::cli {

// The form's fields by the record field they show, in the window's order,
// as "name: value" pairs the way the window shows them.
std::vector<std::pair<QString, QString>> ShownFieldLines(const FormValues& form, bool triBandCapable);
QJsonObject ShownFieldsJson(const FormValues& form, bool triBandCapable);

// Changes one field of the form by the record field's name, as an operator
// would, except that a text longer than its box is refused, not cut; the area code and password take
// 7-bit ASCII only, check boxes 0 or 1, lists a position they have. Fields the
// operator cannot change (model, serial number, remote kill and stun) are refused.
void SetWindowField(FormValues& form, const QString& name, const QString& value);

// Refuses (UsageError) a text field's value that the radio cannot hold as it
// was given: a character the ANSI code page lacks, one that would end the
// field early (stored as 0x00 or 0xFF), or more bytes than the field holds.
void RefuseUnstorableText(const QString& name, const QString& value, const platform::AnsiCodePage& codePage);

// The names SetWindowField takes.
QStringList SettableFieldNames();

// What `write --help` says of --set: each name SetWindowField takes with the
// values or the width its box takes, and the band list by position, marking
// the entries that need a three-band radio.
QString SettableFieldsHelp();

}  // namespace zr::cli
