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
