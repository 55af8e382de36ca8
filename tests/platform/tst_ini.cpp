#include "TestEnv.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QFile>
#include <QTest>

class TestIni : public QObject
{
    Q_OBJECT

private:
    QString path() const { return programPath(QStringLiteral("Test.ini")); }

private slots:
    void readsWhatTheFileSays_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray plain = "[Settings]\r\nLang=English\r\nMainOnTop=No\r\n";
        QTest::newRow("exact") << plain << "Settings"
                               << "Lang"
                               << "English";
        QTest::newRow("names ignore case") << plain << "sETTINGS"
                                           << "mainontop"
                                           << "No";
        QTest::newRow("missing key") << plain << "Settings"
                                     << "Nope"
                                     << "";
        QTest::newRow("missing section") << plain << "Console"
                                         << "Lang"
                                         << "";
        QTest::newRow("blanks around")
            << QByteArray("  [ Settings ]  \r\n   Lang   =   Deutsch   \r\n") << "Settings"
            << "Lang"
            << "Deutsch";
        QTest::newRow("LF line ends") << QByteArray("[A]\nk=v\n[B]\nk=w\n") << "B"
                                      << "k"
                                      << "w";
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Settings]\r\nLang=ab\r\n") << "Settings"
            << "Lang"
            << "ab";
        QTest::newRow("blank and junk lines")
            << QByteArray("\r\n\r\ngarbage ]][[\r\n[S]\r\n\r\nnot a key\r\n;k=comment\r\nk=1\r\n")
            << "S"
            << "k"
            << "1";
        QTest::newRow("first section of the name wins")
            << QByteArray("[S]\r\nk=first\r\n[S]\r\nk=second\r\n") << "S"
            << "k"
            << "first";
        QTest::newRow("value with equals sign") << QByteArray("[S]\r\nk=a=b\r\n") << "S"
                                                << "k"
                                                << "a=b";
        QTest::newRow("key of another section") << QByteArray("[A]\r\nk=1\r\n[B]\r\nj=2\r\n") << "B"
                                                << "k"
                                                << "";
        QTest::newRow("latin-1 bytes") << QByteArray("[S]\r\nName=J\xF6rg\r\n") << "S"
                                       << "Name" << QString::fromLatin1("J\xF6rg");
        QTest::newRow("250 characters cut to 199")
            << QByteArray("[S]\r\nk=" + QByteArray(250, 'x') + "\r\n") << "S"
            << "k" << QString(199, QLatin1Char('x'));
        QTest::newRow("garbage binary") << QByteArray("\x00\x01\xFF[\x00]=\x02\r\n", 10) << "S"
                                        << "k"
                                        << "";
    }

    void readsWhatTheFileSays()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestProgramDir env;
        env.writeFile(QStringLiteral("Test.ini"), content);
        QCOMPARE(ReadIni(path(), section, key), expected);
    }

    void missingFileGivesTheDefault()
    {
        TestProgramDir env;
        QCOMPARE(ReadIni(path(), QStringLiteral("S"), QStringLiteral("k")), QString());
        QCOMPARE(ReadIni(path(), QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QVERIFY(!QFile::exists(path()));
    }

    void writesInPlaceAndKeepsEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new file") << QByteArray() << "Settings"
                                  << "Lang"
                                  << "English" << QByteArray("[Settings]\r\nLang=English\r\n");
        QTest::newRow("replace in place, other case")
            << QByteArray("; my comment\r\n[Settings]\r\nA=1\r\nLANG=x\r\nB=2\r\n") << "settings"
            << "Lang"
            << "y" << QByteArray("; my comment\r\n[Settings]\r\nA=1\r\nLang=y\r\nB=2\r\n");
        QTest::newRow("new key at the end of its section")
            << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n") << "A"
            << "z"
            << "3" << QByteArray("[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
        QTest::newRow("new section appended")
            << QByteArray("[A]\r\nx=1\r\n") << "Console"
            << "BackColor"
            << "255" << QByteArray("[A]\r\nx=1\r\n[Console]\r\nBackColor=255\r\n");
        QTest::newRow("empty value keeps the key") << QByteArray("[A]\r\nx=1\r\n") << "A"
                                                   << "x"
                                                   << "" << QByteArray("[A]\r\nx=\r\n");
        QTest::newRow("LF file rewritten with CR LF, junk kept")
            << QByteArray("junk\n[A]\nx=1\n") << "A"
            << "x"
            << "2" << QByteArray("junk\r\n[A]\r\nx=2\r\n");
        QTest::newRow("latin-1 round trip")
            << QByteArray("[A]\r\nn=\xE9\r\n") << "A"
            << "m" << QString::fromLatin1("\xFC") << QByteArray("[A]\r\nn=\xE9\r\nm=\xFC\r\n");
    }

    void writesInPlaceAndKeepsEverythingElse()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestProgramDir env;
        if (!before.isNull())
            env.writeFile(QStringLiteral("Test.ini"), before);
        WriteIni(path(), section, key, value);
        QCOMPARE(env.readFile(QStringLiteral("Test.ini")), after);
        QCOMPARE(ReadIni(path(), section, key), value);
    }

    void failedWriteIsSilentAndLosesNothing()
    {
        TestProgramDir env;
        // A folder that does not exist: nothing is created, nothing thrown.
        const QString nowhere = programPath(QStringLiteral("Missing/Deeper/Test.ini"));
        WriteIni(nowhere, QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1"));
        QVERIFY(!QFile::exists(nowhere));

        // A read-only file keeps its content (root ignores permissions, so only check when the
        // file really is read-only for us).
        env.writeFile(QStringLiteral("Test.ini"), "[A]\r\nx=1\r\n");
        QFile::setPermissions(path(), QFile::ReadOwner);
        WriteIni(path(), QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2"));
        QCOMPARE(ReadIni(path(), QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("1"));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    }

    void rewriteOfGarbageKeepsOtherKeys()
    {
        TestProgramDir env;
        env.writeFile(QStringLiteral("Preferences.ini"),
                      QByteArray("\xFF\xFE garbage\r\n[Settings]\r\nLang=ab\r\n[Console]\r\n"
                                 "ColorNames=1\r\n\x01\x02\r\n"));
        WritePref(QStringLiteral("Settings"), QStringLiteral("MainOnTop"), QStringLiteral("Yes"));
        QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("Lang")),
                 QStringLiteral("ab"));
        QCOMPARE(ReadPref(QStringLiteral("Console"), QStringLiteral("ColorNames")),
                 QStringLiteral("1"));
        QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("MainOnTop")),
                 QStringLiteral("Yes"));
        QVERIFY(env.readFile(QStringLiteral("Preferences.ini")).startsWith("\xFF\xFE garbage\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
