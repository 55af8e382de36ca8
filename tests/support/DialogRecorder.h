#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>

// Stands in for every modal dialog while it lives: records what would have been shown and answers
// from queues (a box with no queued answer gets OK, or Yes for a question).
class DialogRecorder : public DialogHandler
{
public:
    struct Box
    {
        QString text;
        MsgIcon icon;
        QString title;
        MsgButtons buttons;
    };
    struct Program
    {
        QString program;
        QStringList arguments;
        QString workingDir;
    };

    DialogRecorder();
    ~DialogRecorder() override;

    QList<Box> boxes;
    QQueue<MsgAnswer> answers;
    QQueue<QString> fileAnswers; // open-file and folder dialogs; empty = cancelled
    QQueue<QColor> colorAnswers; // none queued = cancelled
    QList<Program> programs;
    bool programResult = true;
    QStringList webPages;
    QStringList sounds;

    // The last box, for short assertions; an empty Box when none was shown.
    Box last() const { return boxes.isEmpty() ? Box{} : boxes.last(); }

    MsgAnswer messageBox(const QString &text, MsgIcon icon, const QString &title,
                         MsgButtons buttons) override;
    QString openFile(const QString &title, const QString &dir, const QString &filter) override;
    QString folder(const QString &title, const QString &dir) override;
    QColor color(const QColor &initial) override;
    bool program(const QString &program, const QStringList &arguments,
                 const QString &workingDir) override;
    bool webPage(const QString &url) override;
    void sound(const QString &wavFile) override;
};
