#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program directory for one test, and the clock put back to real time afterwards.
class TestProgramDir
{
public:
    explicit TestProgramDir(double clockSpeed = 1.0);
    ~TestProgramDir();

    QString path() const { return m_dir.path(); }
    // Writes a file below the program directory (folders created), bytes as given.
    void writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};
