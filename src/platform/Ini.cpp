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

// Lines are looked at as views into the file's bytes (Latin-1, one byte per character): a large
// file is read without one allocation per line, and every setting read goes through here.
using Line = QLatin1StringView;

// The lines as readLatin1Lines gives them: split at LF, a CR before the LF dropped, the piece
// after a final line end kept as an empty last line.
QList<Line> splitLines(const QByteArray &data)
{
    QList<Line> lines;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = data.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = data.size();
        qsizetype length = end - start;
        if (!last && length > 0 && data.at(end - 1) == '\r')
            --length;
        lines << Line(data.constData() + start, length);
        if (last)
            return lines;
        start = end + 1;
    }
}

Line stripBom(Line line)
{
    // A UTF-8 byte-order mark read as Latin-1.
    static const Line bom("\xEF\xBB\xBF");
    return line.startsWith(bom) ? line.mid(bom.size()) : line;
}

// "[name]" gives name; anything else gives a null view.
Line sectionName(Line line)
{
    const Line t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return Line();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return Line();
    return t.mid(1, close - 1).trimmed();
}

bool isKeyLine(Line line, const QString &key, Line *value = nullptr)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    const Line name = line.left(eq).trimmed();
    if (name.startsWith(QLatin1Char(';')) || name.compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(Line a, const QString &b)
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
    const QByteArray data = readFileBytes(file, &ok);
    if (!ok)
        return defaultValue.left(kMaxValue);
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    for (const Line raw : splitLines(data)) {
        const Line line = stripBom(raw);
        const Line name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, wantedSection);
            continue;
        }
        Line value;
        if (inSection && isKeyLine(line, wantedKey, &value))
            return QString(value).left(kMaxValue);
    }
    return defaultValue.left(kMaxValue);
}

void WriteIni(const QString &file, const QString &section, const QString &key, const QString &value)
{
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    const QByteArray newLine = (wantedKey + QLatin1Char('=') + value).toLatin1();

    bool readable = false;
    const QByteArray data = readFileBytes(file, &readable);
    if (!readable && QFileInfo::exists(file)) {
        refuseWrite(file);
        return;
    }
    QList<Line> lines = readable ? splitLines(data) : QList<Line>();
    // Drop the empty piece after a final line end so that it is not doubled on write.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    qsizetype sectionLine = -1;
    qsizetype lastEntry = -1; // last non-blank line of the wanted section
    qsizetype replaced = -1;
    for (qsizetype i = 0; i < lines.size() && replaced < 0; ++i) {
        const Line line = stripBom(lines.at(i));
        const Line name = sectionName(line);
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
        if (isKeyLine(line, wantedKey))
            replaced = i;
        else if (!line.trimmed().isEmpty())
            lastEntry = i;
    }

    QByteArray out;
    out.reserve(data.size() + newLine.size() + wantedSection.size() + 8);
    const auto put = [&out](QByteArrayView bytes) { out.append(bytes).append("\r\n"); };
    const qsizetype insertAfter = replaced >= 0 ? -1 : sectionLine >= 0 ? lastEntry : -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        put(i == replaced ? QByteArrayView(newLine)
                          : QByteArrayView(lines.at(i).data(), lines.at(i).size()));
        if (i == insertAfter)
            put(newLine);
    }
    if (replaced < 0 && sectionLine < 0) {
        put(QByteArray('[' + wantedSection.toLatin1() + ']'));
        put(newLine);
    }
    writeFileBytes(file, out);
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
