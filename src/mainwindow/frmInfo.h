#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window: the program's name, version and credits.
class frmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit frmInfo(QWidget *parent = nullptr);

    QLabel *lblVersion = nullptr;
    QPushButton *cmdOK = nullptr;
};
