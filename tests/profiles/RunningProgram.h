#pragma once

#include "mainwindow/Startup.h"
#include "mainwindow/frmMain.h"
#include "rcon/RconSession.h"

#include <QListWidget>
#include <QPointer>
#include <QTabBar>
#include <QTest>

// The program as the executable starts it, on its own session, ended with the test that started
// it. The manager and the welcome are found below the main window, as the program makes them.
struct RunningProgram
{
    RconSession session;
    QPointer<frmMain> main = startVantor(&session);

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
    void clickTab(int index)
    {
        auto *tabs = control<QTabBar>("ts1");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
    void clickEntry(const QString &name, Qt::KeyboardModifiers modifiers = {})
    {
        auto *list = control<QListWidget>("lstProfiles");
        const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(found.first()).center());
    }
};
