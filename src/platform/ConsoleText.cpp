#include "platform/ConsoleText.h"

#include <algorithm>

ConsoleText::ConsoleText(QObject *parent)
    : QObject(parent)
{}

char ConsoleText::byteAt(qsizetype position) const
{
    return m_blocks[std::size_t(position >> kBlockBits)].at(position & (kBlock - 1));
}

QString ConsoleText::mid(qsizetype position, qsizetype length) const
{
    return QString::fromLatin1(midBytes(position, length));
}

QByteArray ConsoleText::midBytes(qsizetype position, qsizetype length) const
{
    position = std::clamp<qsizetype>(position, 0, m_size);
    length = std::clamp<qsizetype>(length, 0, m_size - position);
    QByteArray bytes;
    bytes.reserve(length);
    while (length > 0) {
        const QByteArray &block = m_blocks[std::size_t(position >> kBlockBits)];
        const qsizetype offset = position & (kBlock - 1);
        const qsizetype take = std::min(length, block.size() - offset);
        bytes.append(block.constData() + offset, take);
        position += take;
        length -= take;
    }
    return bytes;
}

QString ConsoleText::text() const
{
    return mid(0, m_size);
}

qsizetype ConsoleText::indexOf(const QString &what, qsizetype from, Qt::CaseSensitivity cs) const
{
    if (what.isEmpty())
        return from <= m_size ? from : -1;
    from = std::max<qsizetype>(from, 0);
    // Block by block, each window reaching far enough into the next block to hold a find that
    // straddles the two.
    const qsizetype overlap = what.size() - 1;
    for (qsizetype start = from; start < m_size;) {
        const qsizetype blockEnd = std::min(m_size, ((start >> kBlockBits) + 1) << kBlockBits);
        const QString window = mid(start, blockEnd - start + overlap);
        const qsizetype at = window.indexOf(what, 0, cs);
        if (at >= 0)
            return start + at;
        start = blockEnd;
    }
    return -1;
}

qsizetype ConsoleText::lineEnd(qsizetype line) const
{
    if (line + 1 >= lineCount())
        return m_size;
    const qsizetype next = m_lineStarts[std::size_t(line + 1)];
    if (next >= 2 && byteAt(next - 1) == '\n' && byteAt(next - 2) == '\r'
        && next - 2 >= m_lineStarts[std::size_t(line)])
        return next - 2;
    return next - 1;
}

qsizetype ConsoleText::lineOf(qsizetype position) const
{
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    return std::max<qsizetype>(0, (it - m_lineStarts.begin()) - 1);
}

void ConsoleText::store(const char *data, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        const char c = data[i];
        const qsizetype position = m_size + i;
        if (c == '\n' && position > 0 && m_lineStarts.back() == position
            && (i > 0 ? data[i - 1] : byteAt(position - 1)) == '\r') {
            // The LF of a CR LF: the line the CR began starts after it instead.
            m_lineStarts.back() = position + 1;
        } else if (c == '\r' || c == '\n') {
            m_longestLine = std::max(m_longestLine, position - m_lineStarts.back());
            m_lineStarts.push_back(position + 1);
        }
    }
    qsizetype done = 0;
    while (done < length) {
        if (m_blocks.empty() || m_blocks.back().size() == kBlock)
            m_blocks.emplace_back();
        QByteArray &block = m_blocks.back();
        const qsizetype take = std::min(length - done, kBlock - block.size());
        block.append(data + done, take);
        if (block.size() == kBlock)
            block.squeeze(); // growth leaves slack; a full block keeps exactly its bytes
        done += take;
    }
    m_size += length;
    m_longestLine = std::max(m_longestLine, m_size - m_lineStarts.back());
}

void ConsoleText::setText(const QString &text)
{
    m_blocks.clear();
    m_size = 0;
    m_lineStarts.assign(1, 0);
    m_longestLine = 0;
    const QByteArray bytes = text.toLatin1();
    store(bytes.constData(), bytes.size());
    emit reset();
}

void ConsoleText::append(const QString &text)
{
    appendLatin1(text.toLatin1());
}

void ConsoleText::appendLatin1(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype from = m_size;
    store(bytes.constData(), bytes.size());
    emit appended(from);
}
