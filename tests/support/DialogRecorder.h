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

    DialogRecorder() { setDialogHandler(this); }
    ~DialogRecorder() override { setDialogHandler(nullptr); }

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
                         MsgButtons buttons) override
    {
        boxes.append({text, icon, title, buttons});
        if (!answers.isEmpty())
            return answers.dequeue();
        const bool question = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
        return question ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    QString openFile(const QString &, const QString &, const QString &) override { return file(); }
    QString folder(const QString &, const QString &) override { return file(); }
    QColor color(const QColor &) override
    {
        return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
    }
    bool program(const QString &program, const QStringList &arguments,
                 const QString &workingDir) override
    {
        programs.append({program, arguments, workingDir});
        return programResult;
    }
    bool webPage(const QString &url) override
    {
        webPages << url;
        return true;
    }
    void sound(const QString &wavFile) override { sounds << wavFile; }

private:
    QString file() { return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue(); }
};
