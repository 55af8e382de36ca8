#pragma once

#include <QMainWindow>

class ConsoleBox;
class QLabel;

// Shows one log file, exactly as written, and opens any other through File > Open log. The
// status bar names the log shown and the time the viewer was opened.
class frmLogViewer : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmLogViewer(QWidget *parent = nullptr);

    // Loads the file into the view; `name` goes into the first panel of the status bar.
    void showLog(const QString &name, const QString &path);

private:
    void mnuOpen_Click();

    ConsoleBox *rtb1 = nullptr;
    QLabel *lblLogName = nullptr;
    QLabel *lblOpenedAt = nullptr;
};
