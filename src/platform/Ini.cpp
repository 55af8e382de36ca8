#include "platform/Ini.h"

#include "platform/Dialogs.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace {
constexpr int kMaxValue = 199;

QString stripBom(const QString &line)
{
    // A UTF-8 byte-order mark read as Latin-1.
    static const QString bom = QString::fromLatin1("\xEF\xBB\xBF");
    return line.startsWith(bom) ? line.mid(bom.size()) : line;
}

// "[name]" gives name; anything else gives a null string.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return QString();
    return t.mid(1, close - 1).trimmed();
}

bool isKeyLine(const QString &line, const QString &key, QString *value = nullptr)
{
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    const QString name = line.left(eq).trimmed();
    if (name.startsWith(QLatin1Char(';')) || name.compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

quint64 &writeGeneration()
{
    static quint64 generation = 0;
    return generation;
}

void refuseWrite(const QString &file)
{
    static QSet<QString> told;
    if (told.contains(file))
        return;
    told.insert(file);
    MsgBox(QStringLiteral("Vantor cannot read the settings file\r\n")
               + QDir::toNativeSeparators(file)
               + QStringLiteral(
                   "\r\n\r\nChanged settings are not saved to it, so that nothing it holds is "
                   "lost. Check the file's permissions and the disk."),
           MsgIcon::Exclamation, QStringLiteral("Settings not saved"));
}
} // namespace

IniNotifier *IniNotifier::instance()
{
    static IniNotifier notifier;
    return &notifier;
}

CachedIniValue::CachedIniValue(const QString &section, const QString &key)
    : m_section(section)
    , m_key(key)
{}

QString CachedIniValue::pref()
{
    const QString file = prefsFile();
    const bool fresh = file == m_file && m_generation == writeGeneration();
    if (fresh && m_looked.isValid() && m_looked.elapsed() < 200)
        return m_value;
    m_looked.start();
    const QFileInfo info(file);
    const QDateTime stamp = info.lastModified();
    const qint64 size = info.exists() ? info.size() : -1;
    if (!fresh || stamp != m_stamp || size != m_size) {
        m_file = file;
        m_stamp = stamp;
        m_size = size;
        m_generation = writeGeneration();
        m_value = ReadIni(file, m_section, m_key);
    }
    return m_value;
}

QString ReadIni(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue)
{
    bool ok = false;
    const QStringList lines = readLatin1Lines(file, &ok);
    if (!ok)
        return defaultValue.left(kMaxValue);
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    for (const QString &raw : lines) {
        const QString line = stripBom(raw);
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, wantedSection);
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line, wantedKey, &value))
            return value.left(kMaxValue);
    }
    return defaultValue.left(kMaxValue);
}

void WriteIni(const QString &file, const QString &section, const QString &key, const QString &value)
{
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    const QString newLine = wantedKey + QLatin1Char('=') + value;

    bool readable = false;
    QStringList lines = readLatin1Lines(file, &readable);
    if (!readable && QFileInfo::exists(file)) {
        refuseWrite(file);
        return;
    }
    // Drop the empty piece after a final line end so that it is not doubled on write.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    int sectionLine = -1;
    int lastEntry = -1; // last non-blank line of the wanted section
    bool replaced = false;
    for (int i = 0; i < lines.size() && !replaced; ++i) {
        const QString line = stripBom(lines.at(i));
        const QString name = sectionName(line);
        if (!name.isNull()) {
            if (sectionLine >= 0)
                break; // the wanted section ended
            if (sameName(name, wantedSection)) {
                sectionLine = i;
                lastEntry = i;
            }
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (isKeyLine(line, wantedKey)) {
            lines[i] = newLine;
            replaced = true;
        } else if (!line.trimmed().isEmpty()) {
            lastEntry = i;
        }
    }
    if (!replaced) {
        if (sectionLine >= 0) {
            lines.insert(lastEntry + 1, newLine);
        } else {
            lines << QLatin1Char('[') + wantedSection + QLatin1Char(']') << newLine;
        }
    }
    writeLatin1Lines(file, lines);
    ++writeGeneration();
    emit IniNotifier::instance()->written(file);
}

QString prefsFile()
{
    return programPath(QStringLiteral("Preferences.ini"));
}

QString ReadPref(const QString &section, const QString &key)
{
    return ReadIni(prefsFile(), section, key);
}

void WritePref(const QString &section, const QString &key, const QString &value)
{
    WriteIni(prefsFile(), section, key, value);
}
