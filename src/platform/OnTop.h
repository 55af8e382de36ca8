#pragma once

class QWidget;

// Places a window above all ordinary windows, or back among them, without moving or resizing it.
void SetOnTop(QWidget *window, bool on);
bool isOnTop(const QWidget *window);
