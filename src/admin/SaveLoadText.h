#pragma once

#include <QString>

class QWidget;

// Whole text files for the windows that show logs and lists, one byte per character.

// True when the path names a file whose length can be read.
bool FileExists(const QString &path);

// The file's whole text, CR LF kept. A missing or unreadable file is reported to the asking
// window with the "Sorry" box and reads as an empty text.
QString LoadTextFile(const QString &path, QWidget *asker = nullptr);
