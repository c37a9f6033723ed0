#pragma once

#include <QString>
#include <string>

// What the Windows files of the station share. Windows builds only.
namespace zr::platform {

// A Windows error code in the system's words, without the trailing line
// break: "Access is denied.".
QString WindowsErrorText(unsigned long code);
// The text of GetLastError(), read before anything else can change it.
QString LastWindowsErrorText();

// The errno value that stands for a Windows error code, for the callers that
// speak errno on every system; EIO for codes without a counterpart.
int ErrnoOfWindowsError(unsigned long code);

// A path as the wide-character calls take it, with backslashes.
std::wstring WindowsPath(const QString& path);

// Whether this user may create files in `folder`: a file is made there and
// removed again. Asking the folder's access rights would not do: its owner's
// rights, the administrators' and the virtual store all answer otherwise.
bool FolderTakesNewFiles(const QString& folder);

}  // namespace zr::platform
