#pragma once

#include "mainwindow/Startup.h"
#include "mainwindow/frmMain.h"

#include <QListWidget>
#include <QPointer>
#include <QTabBar>
#include <QTest>

// The program as the executable starts it, ended with the test that started it.
struct RunningProgram
{
    QPointer<frmMain> main;

    RunningProgram()
    {
        startVantor();
        main = MainWindow();
    }
    ~RunningProgram() { delete main.data(); }

    QWidget *window(const char *name) const
    {
        return main ? main->findChild<QWidget *>(QLatin1String(name)) : nullptr;
    }
    QWidget *manager() const { return window("frmProfiles"); }
    bool managerShown() const { return manager() && manager()->isVisible(); }

    template<typename T> T *control(const char *name) const
    {
        QWidget *m = manager();
        return m ? m->findChild<T *>(QLatin1String(name)) : nullptr;
    }
};

inline void clickTab(QTabBar *tabs, int index)
{
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

inline void clickEntry(QListWidget *list, const QString &name, Qt::KeyboardModifiers modifiers = {})
{
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(found.first()).center());
}
