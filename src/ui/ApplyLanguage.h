#pragma once

class QWidget;

// Sets the captions of a window's labels, buttons, group boxes, menus, menu actions, check boxes
// and radio buttons from the active language pack's section named after the window (its
// objectName), control by control name. A key missing from the pack blanks that caption. Does
// nothing for English.
void ApplyLanguage(QWidget *window);
