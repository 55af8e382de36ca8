#include "platform/ConsoleText.h"

ConsoleText::ConsoleText(QObject *parent)
    : QObject(parent)
{}

void ConsoleText::setText(const QString &text)
{
    m_text = text;
    emit reset();
}

void ConsoleText::append(const QString &text)
{
    if (text.isEmpty())
        return;
    const qsizetype from = m_text.size();
    m_text += text;
    emit appended(from);
}
