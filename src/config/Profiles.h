#pragma once

#include <QString>
#include <QStringList>

// What one server profile holds: enough to reach a server and to sign announcements.
struct ServerProfile
{
    QString ip;
    QString port;
    QString rcon; // as typed
    QString name; // the administrator's name
};

// The profiles below \Profiles: one INI file per profile (one section named like the profile),
// a folder of the same name for its own preferences, and a folder below \Dialogs. A name is used
// unchanged as file, folder and section name, so blanks and full stops are fine.
namespace Profiles {
QString directory();                             // \Profiles
QString file(const QString &profile);            // \Profiles\<profile>.ini
QString folder(const QString &profile);          // \Profiles\<profile>
QString preferencesFile(const QString &profile); // \Profiles\<profile>\Preferences.ini
QString dialogsFolder(const QString &profile);   // \Dialogs\<profile>

// Whether the name makes a folder of its own. "." and ".." name folders that exist already
// (\Profiles and the program directory): the profile's preferences would go into the program's
// own Preferences.ini, and deleting the profile would delete that file. An empty name is
// \Profiles itself.
bool ownsFolder(const QString &profile);

// The profile names in the order the directory gives them (by name, as Windows lists them).
// `directoryEmpty` tells whether no profile file was found at all (also when \Profiles is missing).
QStringList list(bool *directoryEmpty = nullptr);

// A missing file or key reads as "".
ServerProfile read(const QString &profile);
// Writes IP, Port, Rcon and Name in that order; the file is readable by its owner only.
void write(const QString &profile, const ServerProfile &values);

// A new profile: its file, its two folders, a one-second pause, then its preferences with the
// defaults (ping meter off every 5 s, no FTP settings).
void add(const QString &profile, const ServerProfile &values);
void createFolders(const QString &profile);
void writeDefaultPreferences(const QString &profile);

// Profiles copied from an older installation lack their folders and preferences: completes
// those and returns the names it completed. Every listed profile file ends up owner-only.
QStringList upgrade(const QStringList &profiles);

// Removes the preferences, the profile's folder (left alone when it still holds other files) and
// the profile file. The \Dialogs folder stays, and so does a folder the profile does not own.
void remove(const QString &profile);

// Makes a file readable and writable by its owner only, creating it empty when it is missing so
// that a password never sits in a file others could read, not even for a moment.
void restrictToOwner(const QString &path);
} // namespace Profiles
