#pragma once

class frmMain;

// Opens the program's first window, as the executable does after choosing its directory.
void startVantor();

// The profile manager as it comes up at start: straight to the main window when the user switched
// the manager off at start-up. The welcome of the very first start leads here too.
void openProfilesAtStart(frmMain *main);
