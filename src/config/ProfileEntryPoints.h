#pragma once

#include <QString>

class frmMain;

// Wires File > Profiles List to the profile manager.
void installProfileEntryPoints(frmMain *main);

// The loaded profile as every window reads it: the tag of the status bar's fifth panel, empty when
// the program runs without one.
QString currentProfile();
void setCurrentProfile(frmMain *main, const QString &profile);
