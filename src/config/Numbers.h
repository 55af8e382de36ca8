#pragma once

#include <QString>

// The number at the start of a text, as the settings files and the servers' replies have always
// been read: blanks before it are skipped, a sign and a decimal point are taken, anything after
// it is ignored ("1^7" reads 1, "30 s" reads 30), and a text that starts with no number reads 0.
double leadingNumber(const QString &text);
