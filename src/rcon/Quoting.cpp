#include "rcon/Quoting.h"

#include "platform/Dialogs.h"

QString quotedOrRefused(const QString &text, QWidget *asker, QuotedText kind)
{
    if (!text.contains(QLatin1Char('"')))
        return QLatin1Char('"') + text + QLatin1Char('"');
    QString why = QStringLiteral("The server would read the quote as the end of the text and take "
                                 "the rest for further words, so the command was not sent.");
    why += kind == QuotedText::PlayerName
               ? QStringLiteral(" Where there is a choice, act by the player's number instead.")
               : QStringLiteral(" Write the text without it.");
    MsgBox(QStringLiteral("This text holds a double quote (\"):\r\n\r\n") + text
               + QStringLiteral("\r\n\r\n") + why,
           MsgIcon::Exclamation, QStringLiteral("Not sent"), MsgButtons::Ok, asker);
    return QString();
}
