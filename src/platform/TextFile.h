#pragma once

#include <QStringList>

// Text files as the program keeps them: one byte per character (Latin-1) so that every byte
// round-trips, CR LF line ends on write; LF-only files still read.

// The lines of a file (the piece after a final line end is an empty last element). A missing or
// unreadable file gives an empty list and *ok = false.
QStringList readLatin1Lines(const QString &path, bool *ok = nullptr);
QString readLatin1File(const QString &path, bool *ok = nullptr);
QByteArray readFileBytes(const QString &path, bool *ok = nullptr);

// Replaces the file's content through a temporary file and a rename, so that a failed write never
// leaves half a file behind. Each line is written followed by CR LF. Returns false on failure.
bool writeLatin1Lines(const QString &path, const QStringList &lines);
bool writeFileBytes(const QString &path, const QByteArray &data);

// Appends one line and CR LF, creating the file and its folder when missing.
bool appendLatin1Line(const QString &path, const QString &line);

// Makes every read of this file fail, as a disk or permission fault would; for tests, which run as
// root and cannot make a file unreadable. An empty path ends it.
void failReadsOfForTests(const QString &path);
