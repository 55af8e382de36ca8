#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

// The exact text of a console or a reply buffer, CR LF and every other byte kept as received.
// Parsers, searches and selections work in its positions; views only show it.
//
// The wire carries one byte per character, so the text is kept as Latin-1 bytes in blocks of a
// fixed size: a console that runs for days costs about one byte per character, appending costs
// the length of the new text, and growing never copies what is already there. A line index
// (CR LF, a lone CR and a lone LF each end a line) is kept as text arrives, so a view finds any
// line at once.
class ConsoleText : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleText(QObject *parent = nullptr);

    // The whole text; costs its length.
    QString text() const;
    QString mid(qsizetype position, qsizetype length) const;
    QByteArray midBytes(qsizetype position, qsizetype length) const;
    QChar at(qsizetype position) const { return QChar(uchar(byteAt(position))); }
    char byteAt(qsizetype position) const;
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    // Like QString::indexOf on text(), without making text().
    qsizetype indexOf(const QString &what, qsizetype from = 0,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // Lines: a text without a line break is one line; a break at the very end starts an empty
    // last line.
    qsizetype lineCount() const { return m_lineStarts.size(); }
    qsizetype lineStart(qsizetype line) const { return m_lineStarts[line]; }
    // Where the line's break begins (or the end of the text for the last line).
    qsizetype lineEnd(qsizetype line) const;
    qsizetype lineLength(qsizetype line) const { return lineEnd(line) - lineStart(line); }
    qsizetype lineOf(qsizetype position) const;
    qsizetype longestLine() const { return m_longestLine; }

    void setText(const QString &text);
    void append(const QString &text);
    void appendLatin1(const QByteArray &bytes);
    void clear() { setText(QString()); }

signals:
    // The text from position `from` on is new; what stood before it is unchanged.
    void appended(qsizetype from);
    // The whole text was replaced (cleared or set).
    void reset();

private:
    static constexpr qsizetype kBlockBits = 20; // 1 MiB
    static constexpr qsizetype kBlock = qsizetype(1) << kBlockBits;

    void store(const char *data, qsizetype length);

    std::vector<QByteArray> m_blocks;
    qsizetype m_size = 0;
    std::vector<qsizetype> m_lineStarts{0};
    qsizetype m_longestLine = 0;
};
