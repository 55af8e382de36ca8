#pragma once

#include <QObject>

class QCloseEvent;
class frmMain;

// The main window's start-up order, its menus' actions, always-on-top, closing and exit.
class MainLifecycle : public QObject
{
    Q_OBJECT
public:
    explicit MainLifecycle(frmMain *main);

    void startUp();
    void onClose(QCloseEvent *event);

private:
    frmMain *m_main;
};
