#pragma once

#include <QWidget>

class QLineEdit;

// The three texts the shortcut keys Ctrl + keypad 3, 6 and 9 say in the game's chat, kept in
// \Other.ini [ShortkeySay]. Never translated.
class frmShortkeys : public QWidget
{
    Q_OBJECT
public:
    explicit frmShortkeys(QWidget *parent = nullptr);

    QLineEdit *txtSay1 = nullptr;
    QLineEdit *txtSay2 = nullptr;
    QLineEdit *txtSay3 = nullptr;

    void cmdApply_Click();
    void cmdOK_Click();

private:
    void load();
};
