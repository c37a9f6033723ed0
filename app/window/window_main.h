#pragma once

namespace zr::window {

// Opens the station window and runs it until it is closed; returns the exit
// status (1 for options it does not take). Its options are the window's rows
// of the command line's table (app/cli/command_options.h): the package
// database of scan-code write mode, the backups, verify, the station log, and
// --screenshot FILE (read the radio on the selected port, save the window as a
// PNG, exit). Creates the QApplication itself, after blocking SIGINT, SIGTERM
// and SIGHUP: they close the window as Exit does.
int RunWindow(int& argc, char** argv);

// Makes the screen's logical DPI the window's: at 120 or 144 DPI fonts and
// twips turn into pixels at that DPI, where Qt would otherwise draw a 96-DPI
// window scaled by 1.25 or 1.5 and cut the boxes' edges; a whole factor (192
// DPI) still scales. Call before the QApplication is created.
void UseScreenDpi();

}  // namespace zr::window
