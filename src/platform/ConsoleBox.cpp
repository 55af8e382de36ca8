#include "platform/ConsoleBox.h"

#include "platform/ConsoleText.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

ConsoleBox::ConsoleBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);
    setModel(new ConsoleText(this));
}

void ConsoleBox::setModel(ConsoleText *model)
{
    if (m_model)
        m_model->disconnect(this);
    m_model = model;
    connect(model, &ConsoleText::reset, this, &ConsoleBox::modelReset);
    connect(model, &ConsoleText::appended, this, &ConsoleBox::modelAppended);
    modelReset();
}

QString ConsoleBox::text() const
{
    return m_model ? m_model->text() : QString();
}

void ConsoleBox::setText(const QString &text)
{
    if (m_model)
        m_model->setText(text);
}

void ConsoleBox::appendText(const QString &text)
{
    if (m_model)
        m_model->append(text);
}

// CR LF and a lone CR or LF each become one line break, so that a model character maps to at most
// one display character. NUL cannot live in a text document; it is shown as a visible symbol.
QString ConsoleBox::forDisplay(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += QLatin1Char('\n');
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QChar(0)) {
            out += QChar(0x2400);
        } else {
            out += c;
        }
    }
    return out;
}

void ConsoleBox::modelReset()
{
    if (text().isEmpty() || isVisible()) {
        QPlainTextEdit::setPlainText(forDisplay(text()));
        m_mirrorStale = false;
    } else {
        m_mirrorStale = true;
    }
}

void ConsoleBox::ensureMirror()
{
    if (!m_mirrorStale)
        return;
    m_mirrorStale = false;
    QPlainTextEdit::setPlainText(forDisplay(text()));
}

void ConsoleBox::showEvent(QShowEvent *event)
{
    ensureMirror();
    QPlainTextEdit::showEvent(event);
}

void ConsoleBox::modelAppended(qsizetype from)
{
    if (!isVisible()) {
        m_mirrorStale = true;
        return;
    }
    if (m_mirrorStale) {
        ensureMirror();
        return;
    }
    const QString all = text();
    QString piece = all.mid(from);
    // A CR LF split across two appends is already shown as one break.
    if (from > 0 && all.at(from - 1) == QLatin1Char('\r') && piece.startsWith(QLatin1Char('\n')))
        piece.remove(0, 1);
    if (piece.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(forDisplay(piece));
    // New server text is always brought into view.
    scrollToEnd();
}

void ConsoleBox::scrollToEnd()
{
    if (!isVisible())
        return;
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    if (auto *bar = verticalScrollBar())
        bar->setValue(bar->maximum());
}

int ConsoleBox::displayPos(int modelPos) const
{
    const QString t = text();
    int shift = 0;
    const int end = std::min<int>(modelPos, t.size());
    for (int i = 0; i + 1 < end; ++i) {
        if (t.at(i) == QLatin1Char('\r') && t.at(i + 1) == QLatin1Char('\n'))
            ++shift;
    }
    return modelPos - shift;
}

int ConsoleBox::modelPos(int displayPos) const
{
    const QString t = text();
    int shown = 0;
    int i = 0;
    while (i < t.size() && shown < displayPos) {
        if (t.at(i) == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n'))
            ++i;
        ++i;
        ++shown;
    }
    return i;
}

void ConsoleBox::selectRange(int start, int length)
{
    ensureMirror();
    QTextCursor cursor(document());
    cursor.setPosition(displayPos(start));
    cursor.setPosition(displayPos(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString ConsoleBox::selectedModelText() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return QString();
    const int from = modelPos(cursor.selectionStart());
    const int to = modelPos(cursor.selectionEnd());
    return text().mid(from, to - from);
}
