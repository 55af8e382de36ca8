#include "TestEnv.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QFile>
#include <QTest>

class TestIni : public QObject
{
    Q_OBJECT

private:
    QString path() const { return programPath(u"Test.ini"_s); }

private slots:
    void readsWhatTheFileSays_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &content, const char *section,
                            const char *key, const QString &expected) {
            QTest::newRow(name) << content << QString::fromLatin1(section)
                                << QString::fromLatin1(key) << expected;
        };
        const QByteArray plain = "[Settings]\r\nLang=English\r\nMainOnTop=No\r\n";
        row("names ignore case", plain, "sETTINGS", "mainontop", "No");
        row("missing section", plain, "Console", "Lang", "");
        row("key of another section", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "B", "k", "");
        row("blanks around", "  [ Settings ]  \r\n   Lang   =   Deutsch   \r\n", "Settings", "Lang",
            "Deutsch");
        row("LF line ends", "[A]\nk=v\n[B]\nk=w\n", "B", "k", "w");
        row("byte-order mark", "\xEF\xBB\xBF[Settings]\r\nLang=ab\r\n", "Settings", "Lang", "ab");
        row("blank and junk lines",
            "\r\n\r\ngarbage ]][[\r\n[S]\r\n\r\nnot a key\r\n;k=comment\r\nk=1\r\n", "S", "k", "1");
        row("first section of the name wins", "[S]\r\nk=first\r\n[S]\r\nk=second\r\n", "S", "k",
            "first");
        row("value with equals sign", "[S]\r\nk=a=b\r\n", "S", "k", "a=b");
        row("latin-1 bytes", "[S]\r\nName=J\xF6rg\r\n", "S", "Name",
            QString::fromLatin1("J\xF6rg"));
        row("250 characters cut to 199", "[S]\r\nk=" + QByteArray(250, 'x') + "\r\n", "S", "k",
            QString(199, QLatin1Char('x')));
    }

    void readsWhatTheFileSays()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        TestProgramDir env;
        env.writeFile(u"Test.ini"_s, content);
        QTEST(ReadIni(path(), section, key), "expected");
    }

    void writesInPlaceAndKeepsEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char *name, const QByteArray &before, const char *section,
                            const char *key, const QString &value, const QByteArray &after) {
            QTest::newRow(name) << before << QString::fromLatin1(section)
                                << QString::fromLatin1(key) << value << after;
        };
        row("new file", QByteArray(), "Settings", "Lang", "English",
            "[Settings]\r\nLang=English\r\n");
        row("replace in place, other case",
            "; my comment\r\n[Settings]\r\nA=1\r\nLANG=x\r\nB=2\r\n", "settings", "Lang", "y",
            "; my comment\r\n[Settings]\r\nA=1\r\nLang=y\r\nB=2\r\n");
        row("new key at the end of its section", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
            "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
        row("new section appended", "[A]\r\nx=1\r\n", "Console", "BackColor", "255",
            "[A]\r\nx=1\r\n[Console]\r\nBackColor=255\r\n");
        row("empty value keeps the key", "[A]\r\nx=1\r\n", "A", "x", "", "[A]\r\nx=\r\n");
        row("LF file rewritten with CR LF, junk kept", "junk\n[A]\nx=1\n", "A", "x", "2",
            "junk\r\n[A]\r\nx=2\r\n");
        row("latin-1 round trip", "[A]\r\nn=\xE9\r\n", "A", "m", QString::fromLatin1("\xFC"),
            "[A]\r\nn=\xE9\r\nm=\xFC\r\n");
    }

    void writesInPlaceAndKeepsEverythingElse()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TestProgramDir env;
        if (!before.isNull())
            env.writeFile(u"Test.ini"_s, before);
        WriteIni(path(), section, key, value);
        QTEST(env.readFile(u"Test.ini"_s), "after");
        QCOMPARE(ReadIni(path(), section, key), value);
    }

    // A missing file reads as the default; a write into a missing folder creates nothing and
    // throws nothing.
    void missingFileAndFolder()
    {
        TestProgramDir env;
        QCOMPARE(ReadIni(path(), u"S"_s, u"k"_s, u"d"_s), u"d"_s);
        const QString nowhere = programPath(u"Missing/Deeper/Test.ini"_s);
        WriteIni(nowhere, u"A"_s, u"x"_s, u"1"_s);
        QVERIFY(!QFile::exists(nowhere));
        QVERIFY(!QFile::exists(path()));
    }

    void rewriteOfGarbageKeepsOtherKeys()
    {
        TestProgramDir env;
        env.writeFile(u"Preferences.ini"_s,
                      QByteArray("\xFF\xFE garbage\r\n[Settings]\r\nLang=ab\r\n[Console]\r\n"
                                 "ColorNames=1\r\n\x01\x02\r\n"));
        WritePref(u"Settings"_s, u"MainOnTop"_s, u"Yes"_s);
        const auto pref = [](const char *section, const char *key) {
            return ReadPref(QLatin1String(section), QLatin1String(key));
        };
        QCOMPARE(QStringList({pref("Settings", "Lang"), pref("Console", "ColorNames"),
                              pref("Settings", "MainOnTop")}),
                 QStringList({"ab", "1", "Yes"}));
        QVERIFY(env.readFile(u"Preferences.ini"_s).startsWith("\xFF\xFE garbage\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "tst_ini.moc"
