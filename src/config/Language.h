#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The active language pack, named by [Settings] Lang; "" and "English" mean the built-in texts.
// Read afresh on every call: a changed preference counts from the next lookup on.
QString activeLanguage();
bool isBuiltInLanguage(const QString &lang);
QString languagePackFile(const QString &lang);

// The built-in English text, or the pack's text (empty when the pack lacks the key: once a pack
// is active there is no fallback to English).
QString LangText(const QString &section, const QString &key, const QString &english);

// Sets the captions of a window's labels, buttons, group boxes, menus, menu actions, check boxes
// and radio buttons from the pack's section named after the window (its objectName), control by
// control name. A key missing from the pack blanks that caption. Does nothing for English.
void ApplyLanguage(QWidget *window);

// The entries of the preferences dialog's language list, and the suffix its frame caption gets
// (" [English]" or " [name]").
struct LanguageList
{
    QStringList entries;
    QString frameSuffix;
};
LanguageList buildLanguageList();
