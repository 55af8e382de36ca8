#include "platform/OnTop.h"

#include <QWidget>

void SetOnTop(QWidget *window, bool on)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing a window flag re-creates the native window, which hides it.
    if (visible) {
        window->setGeometry(geometry);
        window->show();
    }
}

bool isOnTop(const QWidget *window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}
