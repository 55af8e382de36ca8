#pragma once

class frmMain;

// Wires File > Profiles List to the profile manager.
void installProfileEntryPoints(frmMain *main);
