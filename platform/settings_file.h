#pragma once

#include <QString>

#include "platform/ansi_code_page.h"

namespace zr::platform {

// A Windows private-profile (INI) file, read and written the way the
// private-profile functions do it: section and key names compare without
// regard to case, names and values are read without surrounding blanks, and
// everything a write does not touch stays byte for byte as it was. The file is
// text in an ANSI code page; new lines end in CR LF.
class SettingsFile {
 public:
  explicit SettingsFile(QString path, AnsiCodePage codePage = AnsiCodePage::System());

  const QString& Path() const { return path_; }

  // The value of key in section, without surrounding blanks and without one
  // pair of surrounding double or single quotes; defaultValue when the file,
  // the section or the key is missing or the file cannot be read. Only a
  // regular file of at most 1 MiB is read (a link to one is followed); a FIFO,
  // a device, a folder or a larger file counts as one that cannot be read.
  QString GetString(const QString& section, const QString& key,
                    const QString& defaultValue = QString()) const;

  // Sets key=value in section: an existing key's line is replaced in place, a
  // new key goes to the end of its section, a new section to the end of the
  // file, and the first write creates the file. The file is replaced
  // atomically, so a failed write leaves the old file (or none) behind; but
  // a symbolic link, or a file in a folder that takes no new file, is
  // rewritten in place, so the link stays and the write is not lost.
  // Returns false when nothing was written: the file could not be read or
  // written, or a name or the value cannot be stored (an empty name, a line
  // break, "]" in a section, "=" in a key, text the code page cannot encode).
  bool WriteString(const QString& section, const QString& key, const QString& value);

 private:
  QString path_;
  AnsiCodePage codePage_;
};

// The program's own settings file: "mysetup.ini" in the executable's folder.
// Needs the application object (QCoreApplication) to exist.
QString ProgramSettingsPath();

}  // namespace zr::platform
