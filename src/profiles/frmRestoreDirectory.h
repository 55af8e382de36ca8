#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Picks the directory of an older installation whose profiles are to be restored: a drive list
// and the folders of the current directory. A double click (or Enter) opens a folder; OK takes
// the folder chosen in the list, or the current one when none is.
class frmRestoreDirectory : public QWidget
{
    Q_OBJECT
public:
    explicit frmRestoreDirectory(QWidget *parent);

    QString currentPath() const { return m_path; }
    void setCurrentPath(const QString &path);
    // What OK hands over.
    QString chosenPath() const;

    QComboBox *drvRestore = nullptr;
    QListWidget *dirRestore = nullptr;
    QLabel *lblRestorePath = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

signals:
    void chosen(const QString &path);

private:
    void drvRestore_Change(int index);
    void dirRestore_Open(QListWidgetItem *item);
    void cmdOK_Click();

    QString m_path;
};
