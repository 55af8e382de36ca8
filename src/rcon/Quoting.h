#pragma once

#include <QString>

class QWidget;

// The engines read a double quote as the end of a quoted argument and know no escape for one: a
// name or text holding one would split into other arguments ("dumpuser "a"b"c"" asks about "a",
// and a kick by such a name could hit another player). Such a text is not sent at all.

// What the text is: only a player can be named another way, by number.
enum class QuotedText { PlayerName, Other };

// The text in double quotes; an empty result when the text holds a double quote, in which case the
// user has been told why nothing was sent.
QString quotedOrRefused(const QString &text, QWidget *asker = nullptr,
                        QuotedText kind = QuotedText::PlayerName);
