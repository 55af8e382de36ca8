#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

// One key of one INI file, addressed by full path, with the behaviour of the Windows
// private-profile functions: names match without regard to case, blanks around keys and values
// do not count, and a value comes back cut to 199 characters. Nothing is cached: every call opens,
// reads or rewrites and closes the file, so a value written anywhere is seen by the next read.
QString ReadIni(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue = QString());

// Creates the file, the section (at the end) and the key as needed and replaces an existing value
// in place; every other line keeps its text and order. A failed write is silent. A file that
// exists but cannot be read is left alone: writing it would drop every line it holds; the user
// is told once per file.
void WriteIni(const QString &file, const QString &section, const QString &key,
              const QString &value);

// The global preferences file, \Preferences.ini.
QString prefsFile();
QString ReadPref(const QString &section, const QString &key);
void WritePref(const QString &section, const QString &key, const QString &value);

// Tells who keeps a value in memory that an INI file was written by this program.
class IniNotifier : public QObject
{
    Q_OBJECT
public:
    static IniNotifier *instance();
signals:
    void written(const QString &file);
};

// One key kept in memory, for paths that run for every datagram: read again when the program
// writes the file, and when the file changed on disk (someone edits it while the program runs),
// which is looked at no more than a few times a second.
class CachedIniValue
{
public:
    CachedIniValue(const QString &section, const QString &key);
    // The value in the preferences file.
    QString pref();

private:
    QString m_section;
    QString m_key;
    QString m_file;
    QString m_value;
    QDateTime m_stamp;
    qint64 m_size = -1;
    quint64 m_generation = ~quint64(0);
    QElapsedTimer m_looked;
};
