#include "DialogRecorder.h"

DialogRecorder::DialogRecorder()
{
    setDialogHandler(this);
}

DialogRecorder::~DialogRecorder()
{
    setDialogHandler(nullptr);
}

MsgAnswer DialogRecorder::messageBox(const QString &text, MsgIcon icon, const QString &title,
                                     MsgButtons buttons)
{
    boxes.append({text, icon, title, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    return (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) ? MsgAnswer::Yes
                                                                                : MsgAnswer::Ok;
}

QString DialogRecorder::openFile(const QString &, const QString &, const QString &)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString DialogRecorder::folder(const QString &, const QString &)
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QColor DialogRecorder::color(const QColor &)
{
    return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
}

bool DialogRecorder::program(const QString &program, const QStringList &arguments,
                             const QString &workingDir)
{
    programs.append({program, arguments, workingDir});
    return programResult;
}

bool DialogRecorder::webPage(const QString &url)
{
    webPages << url;
    return true;
}

void DialogRecorder::sound(const QString &wavFile)
{
    sounds << wavFile;
}
