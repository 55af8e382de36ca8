#pragma once

#include "platform/Clock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

// Controls are found by name: language packs set captions by it and tests click by it. These
// builders give every control its name where it is made.
//
// Labels show their text as plain text. Much of what they show comes from a server, a file or
// the user, and Qt would otherwise lay out anything that looks like HTML: a reply full of nested
// tables can freeze or crash the window. A label that really wants markup says so itself.
namespace Controls {

template<typename T> T *named(T *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

inline QLabel *plain(QLabel *label)
{
    label->setTextFormat(Qt::PlainText);
    return label;
}

inline QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

inline QLabel *label(QWidget *parent, const char *name, const QString &caption = QString())
{
    return plain(named(new QLabel(caption, parent), name));
}

inline QLineEdit *field(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *f = named(new QLineEdit(parent), name);
    f->setText(text);
    return f;
}

inline QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

inline QRadioButton *radio(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QRadioButton(caption, parent), name);
}

inline QComboBox *comboBox(QWidget *parent, const char *name, bool editable = false)
{
    auto *c = named(new QComboBox(parent), name);
    c->setEditable(editable);
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

inline QListWidget *listBox(QWidget *parent, const char *name)
{
    return named(new QListWidget(parent), name);
}

inline QGroupBox *group(QWidget *parent, const char *name, const QString &title)
{
    return named(new QGroupBox(title, parent), name);
}

// A window of tabs with "OK" (cmdOK) below them, right-aligned, and an optional title line above.
// OK hides the window rather than closing it: its fields keep what the administrator typed for
// the next time it is opened.
inline QPushButton *tabsWithOk(QWidget *window, QTabWidget *tabs, QWidget *above = nullptr)
{
    auto *cmdOK = button(window, "cmdOK", QStringLiteral("OK"));
    QObject::connect(cmdOK, &QPushButton::clicked, window, &QWidget::hide);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdOK);
    auto *outer = new QVBoxLayout(window);
    if (above)
        outer->addWidget(above);
    outer->addWidget(tabs, 1);
    outer->addLayout(bottom);
    return cmdOK;
}

// Black or white, whichever reads better on the background: by how bright the eye sees it, so
// that pure blue (as light as yellow by the numbers) gets white text and yellow black.
inline QColor readableTextOn(const QColor &background)
{
    const double luminance
        = 0.299 * background.red() + 0.587 * background.green() + 0.114 * background.blue();
    return luminance < 128 ? Qt::white : Qt::black;
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
