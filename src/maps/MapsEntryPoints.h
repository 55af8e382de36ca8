#pragma once

class frmMain;

// Wires the main window's maps menu items and button to the maps dialogs.
void installMapsEntryPoints(frmMain *main);
