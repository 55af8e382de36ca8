#include "ui/ApplyLanguage.h"

#include "config/Language.h"
#include "platform/Ini.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace {
// Captions are stored without Qt's mnemonic marker handling: a pack's "&" stays as written.
void setCaption(QObject *control, const QString &caption)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(caption); // push buttons, check boxes, radio buttons
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        group->setTitle(caption);
    else if (auto *menu = qobject_cast<QMenu *>(control))
        menu->setTitle(caption);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setText(caption);
}

// True when the control belongs to another window inside this one (a dialog or the tray menu's
// window kept as a child); that window applies its own section. Menus pop up as windows of
// their own but belong to the window that holds them.
bool belongsToOtherWindow(QObject *control, const QWidget *window)
{
    for (QObject *o = control->parent(); o && o != window; o = o->parent()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && w->isWindow() && !qobject_cast<QMenu *>(w))
            return true;
    }
    return false;
}

bool isCaptioned(QObject *o)
{
    return qobject_cast<QLabel *>(o) || qobject_cast<QAbstractButton *>(o)
           || qobject_cast<QGroupBox *>(o) || qobject_cast<QMenu *>(o)
           || qobject_cast<QAction *>(o);
}
} // namespace

void ApplyLanguage(QWidget *window)
{
    if (!window)
        return;
    const QString lang = activeLanguage();
    if (isBuiltInLanguage(lang))
        return;
    const QString pack = languagePackFile(lang);
    const QString section = window->objectName();
    const QList<QObject *> children = window->findChildren<QObject *>();
    for (QObject *child : children) {
        // A QMenu's own menuAction shares its name with the menu; the menu carries the caption.
        const QString name = child->objectName();
        if (name.isEmpty() || !isCaptioned(child) || belongsToOtherWindow(child, window))
            continue;
        if (auto *action = qobject_cast<QAction *>(child); action && action->menu())
            continue;
        setCaption(child, ReadIni(pack, section, name));
    }
}
