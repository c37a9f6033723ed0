#pragma once

namespace zr::window {

// Opens the station window and runs it until it is closed; returns the exit
// status. Options: --db-server NAME, --db-driver NAME (the package database of
// scan-code write mode), --screenshot FILE (read the radio on the selected
// port, save the window as a PNG, exit). Creates the QApplication itself,
// after blocking SIGINT, SIGTERM and SIGHUP: they close the window as Exit does.
int RunWindow(int& argc, char** argv);

}  // namespace zr::window
