#pragma once

class RconSession;
class frmMain;

// Opens the program's first window, as the executable does after choosing its directory: the
// main window is made (hidden) on the session, then the welcome or the profile manager comes
// first.
frmMain *startVantor(RconSession *session);

// The profile manager as it comes up at start: straight to the main window when the user switched
// the manager off at start-up. The welcome of the very first start leads here too.
void openProfilesAtStart(frmMain *main);

// File > Profiles List, and the start: the manager on the main window's session.
void openProfileManager(frmMain *main);
