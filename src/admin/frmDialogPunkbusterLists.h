#pragma once

#include <QList>
#include <QString>

// PunkBuster prints its lists into the server console, one "PunkBuster Server: " line per entry;
// these read them back from the console text, CR LF line ends as received.

struct PbPlayerRow
{
    QString slot;
    QString guid;    // without PunkBuster's "(status)" suffix
    QString address; // without the port
    QString status;
    QString power;
    QString authRate;
    QString recentSs;
    // After the client's system: quotes removed, inner blanks kept (runs of blanks fold into
    // one). A line without the system gives its last word unchanged.
    QString name;
};

struct PbBadNameRow
{
    QString slot; // without its colon
    QString seconds;
    QString filter; // quotes removed
};

QList<PbPlayerRow> pbPlayerRows(const QString &console);
// Entries PunkBuster shows as "*DELETED*" are left out.
QList<PbBadNameRow> pbBadNameRows(const QString &console);
