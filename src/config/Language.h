#pragma once

#include <QString>
#include <QStringList>

// The active language pack, named by [Settings] Lang; "" and "English" mean the built-in texts.
// Read afresh on every call: a changed preference counts from the next lookup on.
QString activeLanguage();
bool isBuiltInLanguage(const QString &lang);
QString languagePackFile(const QString &lang);

// The built-in English text, or the pack's text (empty when the pack lacks the key: once a pack
// is active there is no fallback to English).
QString LangText(const QString &section, const QString &key, const QString &english);

// The entries of the preferences dialog's language list, and the suffix its frame caption gets
// (" [English]" or " [name]").
struct LanguageList
{
    QStringList entries;
    QString frameSuffix;
};
LanguageList buildLanguageList();
