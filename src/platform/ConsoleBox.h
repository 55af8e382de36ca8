#pragma once

#include <QPlainTextEdit>

// A text box that keeps its exact text, CR LF included, as the model. Qt's text widgets fold
// CR LF into one paragraph break; parsers, searches and positions here work on the model and
// the widget only mirrors it. Appending costs the length of the new text, not of the box.
class ConsoleBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ConsoleBox(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);
    void appendText(const QString &text);
    void clearText() { setText(QString()); }
    void scrollToEnd();

    // A hidden box (the reply buffer, or the console while the window sits in the tray) only
    // keeps its model; the widget catches up when it is shown or asked about its display.
    void ensureMirror();

    // Selection in model positions (0-based); the selected model text with its CR LF.
    void selectRange(int start, int length);
    QString selectedModelText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    int displayPos(int modelPos) const;
    int modelPos(int displayPos) const;
    static QString forDisplay(const QString &text);

    QString m_text;
    bool m_mirrorStale = false;
};
