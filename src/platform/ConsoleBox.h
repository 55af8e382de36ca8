#pragma once

#include "platform/ConsoleText.h"

#include <QPlainTextEdit>
#include <QPointer>

// A read-only view of an exact text model. Qt's text widgets fold CR LF into one paragraph
// break; parsers, searches and positions work on the model and the widget only mirrors it.
// Appending costs the length of the new text, not of the box. A box made without a model keeps
// one of its own.
class ConsoleBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ConsoleBox(QWidget *parent = nullptr);

    void setModel(ConsoleText *model);
    ConsoleText *model() const { return m_model; }

    // The model's text, and shorthands that change the model.
    QString text() const;
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
    void modelReset();
    void modelAppended(qsizetype from);
    int displayPos(int modelPos) const;
    int modelPos(int displayPos) const;
    static QString forDisplay(const QString &text);

    QPointer<ConsoleText> m_model;
    bool m_mirrorStale = false;
};
