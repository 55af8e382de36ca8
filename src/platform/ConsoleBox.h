#pragma once

#include "platform/ConsoleText.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QPointer>

#include <vector>

// A read-only view of an exact text model, like a terminal's scroll-back: it paints only the
// lines on screen, straight from the model, in a fixed-width font, so a console that holds days
// of replies costs no more to show than an empty one. Positions, selections and finds are in
// model positions, CR LF included. Control bytes are drawn visibly (NUL as a small "NUL"), one
// cell each.
//
// With colours shown, the games' colour codes ^0..^9 colour what follows them and are hidden on
// screen; the model, and so everything copied, keeps them.
//
// The view follows the end of the text while the user is at the end, and stays put while the
// user has scrolled up to read. A box made without a model keeps one of its own.
class ConsoleBox : public QAbstractScrollArea
{
    Q_OBJECT
    // The text as shown, one '\n' per line break, as Qt's text edits offer it to tools.
    Q_PROPERTY(QString plainText READ toPlainText)
public:
    explicit ConsoleBox(QWidget *parent = nullptr);

    void setModel(ConsoleText *model);
    ConsoleText *model() const { return m_model; }

    // The model's text, and shorthands that change the model.
    QString text() const;
    void setText(const QString &text);
    void appendText(const QString &text);
    void clearText() { setText(QString()); }

    QString toPlainText() const;
    void scrollToEnd();
    bool isAtEnd() const;

    // Selection in model positions (0-based); the selected model text with its CR LF.
    void selectRange(qsizetype start, qsizetype length);
    void selectAll();
    bool hasSelection() const { return m_anchor != m_caret; }
    qsizetype selectionStart() const { return std::min(m_anchor, m_caret); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_caret); }
    QString selectedModelText() const;
    void copy() const;

    // The ten colours of ^0..^9 (the view's own text colour stands in for a missing one).
    void setCodeColours(const QList<QColor> &colours);
    void setShowColours(bool on);
    bool showColours() const { return m_showColours; }

    // The model position under a point of the viewport, for tools and tests.
    qsizetype positionAt(const QPoint &viewportPoint) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // One line as it appears: the characters shown, the model position of each, and the colour
    // code in force for each (-1: the view's own colour).
    struct ShownLine
    {
        QString glyphs;
        // Without hidden codes the shown cells are the model's own, one for one from `start`.
        std::vector<qsizetype> positions;
        std::vector<signed char> codes;
        qsizetype start = 0;
        qsizetype end = 0; // model position of the line's end
        qsizetype position(int column) const
        {
            return positions.empty() ? start + column : positions[std::size_t(column)];
        }
        signed char code(int column) const
        {
            return codes.empty() ? -1 : codes[std::size_t(column)];
        }
    };
    ShownLine shownLine(qsizetype line) const;
    int columnOf(const ShownLine &shown, qsizetype position) const;

    void modelReset();
    void modelAppended();
    void catchUp();
    void updateScrollBars();
    void measure();
    int visibleLines() const;
    void moveCaret(qsizetype position, bool extend);
    void ensureCaretVisible();
    qsizetype wordStart(qsizetype position) const;
    qsizetype wordEnd(qsizetype position) const;

    QPointer<ConsoleText> m_model;
    qsizetype m_anchor = 0;
    qsizetype m_caret = 0;
    bool m_showColours = false;
    bool m_catchUpQueued = false;
    QList<QColor> m_codeColours;
    int m_cellWidth = 8;
    int m_lineHeight = 16;
    int m_ascent = 12;
    static constexpr int kMargin = 4;
};
