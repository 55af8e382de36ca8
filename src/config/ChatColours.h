#pragma once

#include <QColor>
#include <QList>
#include <QString>

// The games' chat colours: the stored colour numbers (decimal 0x00BBGGRR, as the preferences
// keep them) and the codes "^0".."^9" the games draw them for.

// The code of a stored colour number; other values come back as they are, so a hand-edited code
// still reaches the game.
QString chatColourCode(const QString &colourNumber);

// The colours of ^0..^9 in order.
QList<QColor> chatCodeColours();
