#pragma once

class frmMain;

// Looks for a newer version in the background and, when one exists, shows the main window's
// "Update available!" item.
void startUpdateCheck(frmMain *main);
