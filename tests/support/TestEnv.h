#pragma once

#include "platform/Clock.h"
#include "platform/ProgramDir.h"

#include <QString>
#include <QTemporaryDir>

// Tests write their many texts the short way: u"text"_s and "text"_L1.
using namespace Qt::StringLiterals;

// A fresh program directory for one test, and the clock put back to real time afterwards.
class TestProgramDir
{
public:
    explicit TestProgramDir(double clockSpeed = 1.0)
    {
        setProgramDir(m_dir.path());
        Clock::setSpeed(clockSpeed);
    }
    ~TestProgramDir() { Clock::setSpeed(1.0); }

    QString path() const { return m_dir.path(); }
    // Writes a file below the program directory (folders created), bytes as given.
    void writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};
