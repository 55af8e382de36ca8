#include "platform/ConsoleBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
// Control bytes get the Unicode "control pictures", so a NUL or an escape in a reply shows
// instead of vanishing or breaking the line.
QChar glyphFor(uchar c)
{
    if (c < 0x20)
        return QChar(0x2400 + c);
    if (c == 0x7F)
        return QChar(0x2421);
    return QChar(c);
}

bool isPicture(QChar glyph)
{
    return glyph.unicode() >= 0x2400 && glyph.unicode() <= 0x2421;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}
} // namespace

ConsoleBox::ConsoleBox(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    measure();
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

void ConsoleBox::setCodeColours(const QList<QColor> &colours)
{
    m_codeColours = colours;
    viewport()->update();
}

void ConsoleBox::setShowColours(bool on)
{
    m_showColours = on;
    viewport()->update();
}

// --- layout ---------------------------------------------------------------------------------

void ConsoleBox::measure()
{
    const QFontMetrics fm(font());
    m_cellWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('M')));
    m_lineHeight = std::max(1, fm.lineSpacing());
    m_ascent = fm.ascent();
}

ConsoleBox::ShownLine ConsoleBox::shownLine(qsizetype line) const
{
    ShownLine shown;
    shown.start = m_model->lineStart(line);
    shown.end = m_model->lineEnd(line);
    const QByteArray bytes = m_model->midBytes(shown.start, shown.end - shown.start);
    const bool codesHidden = m_showColours && bytes.contains('^');
    shown.glyphs.reserve(bytes.size());
    if (codesHidden) {
        shown.positions.reserve(std::size_t(bytes.size()));
        shown.codes.reserve(std::size_t(bytes.size()));
    }
    signed char code = -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes.at(i));
        if (codesHidden && c == '^' && i + 1 < bytes.size() && bytes.at(i + 1) >= '0'
            && bytes.at(i + 1) <= '9') {
            code = static_cast<signed char>(bytes.at(i + 1) - '0');
            ++i;
            continue;
        }
        shown.glyphs += glyphFor(c);
        if (codesHidden) {
            shown.positions.push_back(shown.start + i);
            shown.codes.push_back(code);
        }
    }
    return shown;
}

int ConsoleBox::columnOf(const ShownLine &shown, qsizetype position) const
{
    if (shown.positions.empty())
        return int(std::clamp<qsizetype>(position - shown.start, 0, shown.glyphs.size()));
    const auto it = std::lower_bound(shown.positions.begin(), shown.positions.end(), position);
    return int(it - shown.positions.begin());
}

int ConsoleBox::visibleLines() const
{
    return std::max(1, viewport()->height() / m_lineHeight);
}

void ConsoleBox::updateScrollBars()
{
    if (!m_model)
        return;
    QScrollBar *v = verticalScrollBar();
    v->setPageStep(visibleLines());
    v->setSingleStep(1);
    v->setRange(0, int(std::max<qsizetype>(0, m_model->lineCount() - visibleLines())));
    QScrollBar *h = horizontalScrollBar();
    h->setPageStep(std::max(1, viewport()->width()));
    h->setSingleStep(m_cellWidth * 4);
    const qsizetype widest = m_model->longestLine() * m_cellWidth + 2 * kMargin;
    h->setRange(0, int(std::clamp<qsizetype>(widest - viewport()->width(), 0, INT_MAX)));
}

bool ConsoleBox::isAtEnd() const
{
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void ConsoleBox::scrollToEnd()
{
    updateScrollBars();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ConsoleBox::modelReset()
{
    m_anchor = m_caret = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ConsoleBox::modelAppended()
{
    // A hidden view only notes that the text grew; it catches up when it is shown. A shown one
    // catches up once per turn of the event loop, however many replies came in it.
    if (!isVisible() || m_catchUpQueued)
        return;
    m_catchUpQueued = true;
    QMetaObject::invokeMethod(this, &ConsoleBox::catchUp, Qt::QueuedConnection);
}

void ConsoleBox::catchUp()
{
    m_catchUpQueued = false;
    const bool follow = isAtEnd();
    updateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void ConsoleBox::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    const bool follow = isAtEnd();
    updateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ConsoleBox::resizeEvent(QResizeEvent *event)
{
    const bool follow = isAtEnd();
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ConsoleBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        measure();
        updateScrollBars();
    }
    QAbstractScrollArea::changeEvent(event);
}

void ConsoleBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

// --- painting -------------------------------------------------------------------------------

void ConsoleBox::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    if (!m_model)
        return;
    painter.setFont(font());
    const QColor textColour = pal.color(QPalette::Text);
    const QColor selectedText = pal.color(QPalette::HighlightedText);
    const QColor selectedBack = pal.color(QPalette::Highlight);
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype last = std::min(m_model->lineCount(), first + visibleLines() + 1);
    const int xOffset = kMargin - horizontalScrollBar()->value();
    const int firstColumn = std::max(0, -xOffset / m_cellWidth);
    const int columns = viewport()->width() / m_cellWidth + 2;
    const qsizetype selFrom = selectionStart(), selTo = selectionEnd();

    for (qsizetype line = first; line < last; ++line) {
        const ShownLine shown = shownLine(line);
        const int top = int(line - first) * m_lineHeight;
        const int baseline = top + m_ascent;
        const int end = std::min<int>(int(shown.glyphs.size()), firstColumn + columns);
        // A selected line break shows as one cell of highlight after the line.
        if (hasSelection() && shown.end >= selFrom && shown.end < selTo
            && line + 1 < m_model->lineCount())
            painter.fillRect(xOffset + int(shown.glyphs.size()) * m_cellWidth, top, m_cellWidth,
                             m_lineHeight, selectedBack);
        for (int col = firstColumn; col < end;) {
            // A run of cells drawn alike: same colour, same selection, plain glyphs.
            const qsizetype position = shown.position(col);
            const bool selected = position >= selFrom && position < selTo;
            const signed char code = shown.code(col);
            const bool picture = isPicture(shown.glyphs.at(col));
            int stop = col + 1;
            while (!picture && stop < end) {
                const qsizetype p = shown.position(stop);
                if ((p >= selFrom && p < selTo) != selected || shown.code(stop) != code
                    || isPicture(shown.glyphs.at(stop)))
                    break;
                ++stop;
            }
            const int x = xOffset + col * m_cellWidth;
            QColor colour = textColour;
            if (code >= 0 && code < m_codeColours.size() && m_codeColours.at(code).isValid())
                colour = m_codeColours.at(code);
            if (selected) {
                painter.fillRect(x, top, (stop - col) * m_cellWidth, m_lineHeight, selectedBack);
                colour = selectedText;
            }
            painter.setPen(colour);
            painter.drawText(x, baseline, shown.glyphs.mid(col, stop - col));
            col = stop;
        }
    }
    // The caret, where the keyboard's selection starts from.
    if (hasFocus() && !hasSelection()) {
        const qsizetype line = m_model->lineOf(m_caret);
        if (line >= first && line < last) {
            const int col = columnOf(shownLine(line), m_caret);
            painter.fillRect(xOffset + col * m_cellWidth, int(line - first) * m_lineHeight, 1,
                             m_lineHeight, textColour);
        }
    }
}

QString ConsoleBox::toPlainText() const
{
    if (!m_model)
        return QString();
    QString out;
    out.reserve(m_model->size());
    for (qsizetype line = 0; line < m_model->lineCount(); ++line) {
        if (line > 0)
            out += QLatin1Char('\n');
        out += shownLine(line).glyphs;
    }
    return out;
}

// --- selection ------------------------------------------------------------------------------

qsizetype ConsoleBox::positionAt(const QPoint &point) const
{
    if (!m_model || m_model->isEmpty())
        return 0;
    const qsizetype line = std::clamp<qsizetype>(
        verticalScrollBar()->value() + point.y() / m_lineHeight, 0, m_model->lineCount() - 1);
    const ShownLine shown = shownLine(line);
    const int x = point.x() + horizontalScrollBar()->value() - kMargin;
    const int col = std::clamp((x + m_cellWidth / 2) / m_cellWidth, 0, int(shown.glyphs.size()));
    return col < int(shown.positions.size()) ? shown.position(col) : shown.end;
}

void ConsoleBox::selectRange(qsizetype start, qsizetype length)
{
    if (!m_model)
        return;
    const qsizetype size = m_model->size();
    m_anchor = std::clamp<qsizetype>(start, 0, size);
    m_caret = std::clamp<qsizetype>(start + length, 0, size);
    ensureCaretVisible();
    viewport()->update();
}

void ConsoleBox::selectAll()
{
    if (!m_model)
        return;
    m_anchor = 0;
    m_caret = m_model->size();
    viewport()->update();
}

QString ConsoleBox::selectedModelText() const
{
    if (!m_model || !hasSelection())
        return QString();
    return m_model->mid(selectionStart(), selectionEnd() - selectionStart());
}

void ConsoleBox::copy() const
{
    const QString selected = selectedModelText();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(selected);
}

void ConsoleBox::moveCaret(qsizetype position, bool extend)
{
    m_caret = std::clamp<qsizetype>(position, 0, m_model ? m_model->size() : 0);
    if (!extend)
        m_anchor = m_caret;
    ensureCaretVisible();
    viewport()->update();
}

void ConsoleBox::ensureCaretVisible()
{
    if (!m_model)
        return;
    updateScrollBars();
    const qsizetype line = m_model->lineOf(m_caret);
    QScrollBar *v = verticalScrollBar();
    if (line < v->value())
        v->setValue(int(line));
    else if (line >= v->value() + visibleLines())
        v->setValue(int(line - visibleLines() + 1));
    const int x = columnOf(shownLine(line), m_caret) * m_cellWidth;
    QScrollBar *h = horizontalScrollBar();
    if (x < h->value())
        h->setValue(x);
    else if (x + m_cellWidth + 2 * kMargin > h->value() + viewport()->width())
        h->setValue(x + m_cellWidth + 2 * kMargin - viewport()->width());
}

qsizetype ConsoleBox::wordStart(qsizetype position) const
{
    while (position > 0 && isWordCharacter(m_model->at(position - 1)))
        --position;
    return position;
}

qsizetype ConsoleBox::wordEnd(qsizetype position) const
{
    while (position < m_model->size() && isWordCharacter(m_model->at(position)))
        ++position;
    return position;
}

void ConsoleBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    moveCaret(positionAt(event->position().toPoint()),
              event->modifiers().testFlag(Qt::ShiftModifier));
}

void ConsoleBox::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons().testFlag(Qt::LeftButton))
        moveCaret(positionAt(event->position().toPoint()), true);
}

void ConsoleBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void ConsoleBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_model || event->button() != Qt::LeftButton)
        return;
    const qsizetype at = positionAt(event->position().toPoint());
    m_anchor = wordStart(at);
    m_caret = wordEnd(at);
    viewport()->update();
}

void ConsoleBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_model)
        return;
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool wholeText = event->modifiers().testFlag(Qt::ControlModifier);
    const qsizetype line = m_model->lineOf(m_caret);
    const auto toLine = [&](qsizetype target) {
        target = std::clamp<qsizetype>(target, 0, m_model->lineCount() - 1);
        const ShownLine from = shownLine(line);
        const ShownLine to = shownLine(target);
        const int col = std::min(columnOf(from, m_caret), int(to.glyphs.size()));
        return col < int(to.glyphs.size()) ? to.position(col) : to.end;
    };
    switch (event->key()) {
    case Qt::Key_Left:
        moveCaret(m_caret > 0 && m_model->byteAt(m_caret - 1) == '\n' && m_caret > 1
                          && m_model->byteAt(m_caret - 2) == '\r'
                      ? m_caret - 2
                      : m_caret - 1,
                  extend);
        break;
    case Qt::Key_Right:
        moveCaret(m_caret < m_model->size() - 1 && m_model->byteAt(m_caret) == '\r'
                          && m_model->byteAt(m_caret + 1) == '\n'
                      ? m_caret + 2
                      : m_caret + 1,
                  extend);
        break;
    case Qt::Key_Up:
        moveCaret(toLine(line - 1), extend);
        break;
    case Qt::Key_Down:
        moveCaret(toLine(line + 1), extend);
        break;
    case Qt::Key_PageUp:
        moveCaret(toLine(line - visibleLines()), extend);
        break;
    case Qt::Key_PageDown:
        moveCaret(toLine(line + visibleLines()), extend);
        break;
    case Qt::Key_Home:
        moveCaret(wholeText ? 0 : m_model->lineStart(line), extend);
        break;
    case Qt::Key_End:
        moveCaret(wholeText ? m_model->size() : m_model->lineEnd(line), extend);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ConsoleBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("&Copy"), this, &ConsoleBox::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    QAction *all = menu.addAction(tr("Select All"), this, &ConsoleBox::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(m_model && !m_model->isEmpty());
    menu.exec(event->globalPos());
}
