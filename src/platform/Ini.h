#pragma once

#include <QString>

// One key of one INI file, addressed by full path, with the behaviour of the Windows
// private-profile functions: names match without regard to case, blanks around keys and values
// do not count, and a value comes back cut to 199 characters. Nothing is cached: every call opens,
// reads or rewrites and closes the file, so a value written anywhere is seen by the next read.
QString ReadIni(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());

// Creates the file, the section (at the end) and the key as needed and replaces an existing value
// in place; every other line keeps its text and order. A failed write is silent.
void WriteIni(const QString &file, const QString &section, const QString &key,
              const QString &value);

// The global preferences file, \Preferences.ini.
QString prefsFile();
QString ReadPref(const QString &section, const QString &key);
void WritePref(const QString &section, const QString &key, const QString &value);
