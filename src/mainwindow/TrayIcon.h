#pragma once

#include <QString>

class frmMain;

// The program's icon in the notification area. The icon and its menu arrive with the tray menu;
// until then these calls keep the state the rest of the program relies on: whether the icon is
// installed, and the window entry's marker ("WINDOWOPEN" / "WINDOWCLOSED", also the tag of the
// menu's root mnuTrayMain) and caption ("Hide Window" / "Show Window").

// Installs the icon for the main window; does nothing when it is already installed.
void AddTrayIcon(frmMain *owner);
// Takes the icon away; does nothing when it is not installed.
void RemoveTrayIcon();
bool isTrayIconInstalled();

// True while an icon is on screen that can bring a hidden main window back. Where there is none
// (no notification area on this desktop, or no icon yet), hiding the window would strand it.
bool trayCanRestoreWindow();

// The window entry follows the main window: shown gives "WINDOWOPEN" and "Hide Window".
void setTrayWindowShown(bool shown);
QString trayWindowMarker();
QString trayWindowEntryCaption();
