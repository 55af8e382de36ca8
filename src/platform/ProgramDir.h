#pragma once

#include <QString>

// Every file the program keeps lives below one directory: the executable's own (portable, as
// administrators use it), or the per-user data directory when that one is not writable.
QString programDir();
void setProgramDir(const QString &dir);

// "Sub/File.ext" or "\Sub\File.ext" below the program directory; the case of names is kept.
QString programPath(const QString &relative);

// Chooses the program directory at start-up and, when it had to fall back to the per-user
// directory, copies the shipped defaults there once.
void initProgramDir();
// The same for a given executable folder and per-user folder. Only the shipped defaults are
// copied (from share/vantor beside an installed program, else from the program's folder), never
// over a file the user already has; the copies are the user's to change, profile files his
// alone to read.
void initProgramDirFrom(const QString &exeDir, const QString &userDir);

// The copy initProgramDirFrom makes when it falls back to the per-user folder.
void copyShippedDefaults(const QString &exeDir, const QString &userDir);
