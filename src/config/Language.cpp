#include "config/Language.h"

#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QDir>

QString activeLanguage()
{
    return ReadPref(QStringLiteral("Settings"), QStringLiteral("Lang"));
}

bool isBuiltInLanguage(const QString &lang)
{
    return lang.isEmpty() || lang == QLatin1String("English");
}

QString languagePackFile(const QString &lang)
{
    return programPath(QStringLiteral("Lang/") + lang + QStringLiteral(".ini"));
}

QString LangText(const QString &section, const QString &key, const QString &english)
{
    const QString lang = activeLanguage();
    if (isBuiltInLanguage(lang))
        return english;
    return ReadIni(languagePackFile(lang), section, key);
}

LanguageList buildLanguageList()
{
    LanguageList list;
    const QString lang = activeLanguage();
    if (isBuiltInLanguage(lang)) {
        list.entries << QStringLiteral("English");
        list.frameSuffix = QStringLiteral(" [English]");
    } else {
        list.entries << lang << QStringLiteral("English");
        list.frameSuffix = QStringLiteral(" [") + lang + QLatin1Char(']');
    }
    const QDir dir(programPath(QStringLiteral("Lang")));
    const QStringList files = dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Unsorted);
    for (const QString &file : files) {
        const QString name = file.left(file.size() - 4);
        if (name != lang)
            list.entries << name;
    }
    return list;
}
