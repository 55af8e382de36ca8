#pragma once

#include <QObject>
#include <QString>

// The exact text of a console or a reply buffer, CR LF and every other byte kept as received.
// Parsers, searches and selections work in its positions; views only show it. Appending costs
// the length of the new text.
class ConsoleText : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleText(QObject *parent = nullptr);

    QString text() const { return m_text; }
    qsizetype size() const { return m_text.size(); }
    bool isEmpty() const { return m_text.isEmpty(); }

    void setText(const QString &text);
    void append(const QString &text);
    void clear() { setText(QString()); }

signals:
    // The text from position `from` on is new; what stood before it is unchanged.
    void appended(qsizetype from);
    // The whole text was replaced (cleared or set).
    void reset();

private:
    QString m_text;
};
