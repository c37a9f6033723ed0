#pragma once

#include <QProcessEnvironment>
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

// What the place of the program's settings file depends on besides the
// environment; ProgramSettingsPath finds it out for the running program.
struct SettingsPlace {
  QString executableDir;
  // executableDir is where this build installs the program (its install
  // prefix's bin, or the Debian package's /usr/bin): a system folder, never
  // written to, whoever runs the program.
  bool installed = false;
  // This user may create files in executableDir: a copy run from a folder
  // of its own (the build tree, an unpacked folder).
  bool executableDirTakesFiles = false;
  // A "mysetup.ini" this user may write stands in executableDir already.
  bool writableFileBesideExecutable = false;
};

// Where "mysetup.ini" lives: for an installed program in the folder
// "zr93kw-setfactory" of $XDG_CONFIG_HOME, or of $HOME/.config when
// XDG_CONFIG_HOME is unset, empty or relative (empty with no absolute HOME
// either: no settings file then). Any other copy keeps it beside the
// executable when that folder takes new files or holds a writable one, else
// in the configuration folder as an installed one does (or beside it after
// all, where writes fail as they always did, with no HOME). On Windows
// (settings_path_windows.cpp) the folder "zr93kw-setfactory" of
// %LOCALAPPDATA% stands for the configuration folder, and an installed
// program is one in Program Files.
QString SettingsPathFor(const SettingsPlace& place, const QProcessEnvironment& environment);

enum class SettingsFolder { kCreate, kLeaveAlone };

// The program's own settings file, SettingsPathFor this executable and this
// process's environment (HOME, when unset, from the user's account). kCreate
// makes a per-user folder that is missing, so that the first write can create
// the file; kLeaveAlone only names the path (for --help). Needs the
// application object (QCoreApplication) to exist.
QString ProgramSettingsPath(SettingsFolder folder = SettingsFolder::kCreate);

}  // namespace zr::platform
