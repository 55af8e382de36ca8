#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;
class frmMain;

// Finds text in the console, one occurrence per click, from where the last find ended.
class frmSearchConsole : public QDialog
{
    Q_OBJECT
public:
    explicit frmSearchConsole(frmMain *main);

    QLineEdit *txtSearch = nullptr;
    QCheckBox *ckMatch = nullptr;
    QCheckBox *ckWhole = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer *tmrEnable = nullptr;

    // Where the next search starts: one past the end of the last find, 0 for the top.
    qsizetype position() const { return m_position; }

    void search();

protected:
    void showEvent(QShowEvent *event) override;

private:
    frmMain *m_main;
    qsizetype m_position = 0;
};
