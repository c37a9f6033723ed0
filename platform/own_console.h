#pragma once

namespace zr::platform {

// Before the window shows. Windows gives a console program that is started
// from the Start menu or Explorer a console of its own; the station's window
// lets it go, so that no empty console stands beside it. Started from a
// command prompt, the console is the prompt's and stays. Nothing elsewhere.
#ifdef _WIN32
void ReleaseOwnConsole();
#else
inline void ReleaseOwnConsole() {}
#endif

}  // namespace zr::platform
