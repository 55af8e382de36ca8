#pragma once

#include "platform/Clock.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

// Controls are found by name: language packs set captions by it and tests click by it. These
// builders give every control its name where it is made.
namespace Controls {

template<typename T> T *named(T *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

inline QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

inline QLabel *label(QWidget *parent, const char *name, const QString &caption = QString())
{
    return named(new QLabel(caption, parent), name);
}

inline QLineEdit *field(QWidget *parent, const char *name)
{
    return named(new QLineEdit(parent), name);
}

// A timer whose interval goes through the program's clock.
inline QTimer *timer(QObject *parent, const char *name, int ms)
{
    auto *t = named(new QTimer(parent), name);
    Clock::setInterval(t, ms);
    return t;
}

// A menu carries its name twice: on itself and on the action that opens it from its parent.
inline QMenu *menu(QWidget *parent, const char *name, const QString &caption)
{
    auto *m = named(new QMenu(caption, parent), name);
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
}

inline QMenu *submenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *m = menu(parent, name, caption);
    parent->addMenu(m);
    return m;
}

inline QAction *item(QMenu *in, const char *name, const QString &caption)
{
    return named(in->addAction(caption), name);
}

} // namespace Controls
