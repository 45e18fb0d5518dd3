#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QTextLayout>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "richtext/TextContent.h"

// Rich-text box: text with paragraphs, bold, italic and underline, loaded from and saved to
// Rich Text Format files, shown read-only with a caret: the keys move it (Shift selects), the
// wheel scrolls, the mouse selects (a double click a word, a triple click a paragraph), a copy
// goes to the clipboard. Files are read and cut into blocks off the UI thread; the box lays out
// only the blocks it shows, so a document of any shape within the bound shows at once and the
// UI thread never waits on it. Screen readers read it through its text interface.
class RichTextBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    using FileKind = richtext::FileKind;

    // The text without formatting, one line per paragraph.
    QString text() const { return content_->plainText(); }
    void setText(const QString& text);
    const richtext::Content& content() const { return *content_; }

    // Loads the file in place of what the box holds, off the UI thread. `done` runs on the UI
    // thread with why it could not be loaded (empty when loaded and shown); a failed load leaves
    // the box as it was. A newer load replaces one still going, whose `done` never runs.
    void LoadFile(const QString& path, FileKind kind, std::function<void(const QString& problem)> done,
                  rtf::Limits limits = {});
    bool isLoading() const { return loading_ != 0; }

    // Writes the text as an RTF document. The file is replaced only once the whole document is
    // on disc, so a failed save leaves the old file as it was. Returns why it could not, in the
    // user's words; empty when saved.
    QString SaveFile(const QString& path) const;

    // The selected text, paragraphs separated by '\n'.
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // What screen readers ask, in offsets of the plain text (Content::plainStart): the caret,
    // the selection (start and end, equal when nothing is selected), a selection made from the
    // anchor to the caret (brought into view), the box of a character in the viewport (empty
    // when not in view), the offset under a point, the shown line holding an offset.
    qsizetype cursorOffset() const { return toOffset(cursor_); }
    std::pair<qsizetype, qsizetype> selectionOffsets() const;
    void select(qsizetype anchor, qsizetype cursor);
    QRect characterRect(qsizetype offset) const;
    qsizetype offsetAt(QPoint viewportPoint) const { return toOffset(positionAt(viewportPoint)); }
    std::pair<qsizetype, qsizetype> lineAt(qsizetype offset) const;
    void scrollTo(qsizetype offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Position {
        int block = 0;
        int offset = 0;  // within the block
        auto operator<=>(const Position&) const = default;
    };
    // A shown line: its block and its line in the block's layout.
    struct Line {
        int block = 0, line = 0;
        auto operator<=>(const Line&) const = default;
    };
    void display(std::shared_ptr<const richtext::Content> content);
    // The block laid out at the view's width (kept for the blocks shown lately).
    QTextLayout& layout(int block) const;
    void relayout();
    // Moves the line by whole lines (negative: up), as far as the document goes; the lines
    // it moved.
    int step(Line& line, int lines) const;
    Line lineOf(Position p) const;
    // Moves the top of the view by whole lines (negative: up).
    void scrollLines(int lines);
    void updateScrollBar();
    // How many lines of the font the view shows at once.
    int linesShown() const;
    Position positionAt(QPoint point) const;
    // Where each shown block's first line lies in the viewport, by block, from the top one.
    std::vector<std::pair<int, qreal>> shownBlocks() const;
    Position toPosition(qsizetype offset) const;
    qsizetype toOffset(Position p) const;
    Position documentEnd() const;
    // The caret moves there, the selection following it when extended, and comes into view.
    void moveCursor(Position to, bool extend, bool keepColumn = false);
    void ensureVisible(Position p);
    // A position some lines above or below, in the column the caret keeps.
    Position lineMove(Position from, int lines);
    // The next or previous caret position, by characters or words.
    Position next(Position p, bool forward, bool words) const;
    // The selection changed: screen readers and the primary selection (X11) learn it.
    void selectionChanged();

    std::shared_ptr<const richtext::Content> content_;
    mutable QCache<int, QTextLayout> layouts_;
    int topBlock_ = 0;
    int topLine_ = 0;  // the first line of the top block that is shown
    Position anchor_, cursor_;
    qreal column_ = -1;     // the caret's x kept through moves up and down; -1 when not kept
    qreal wheelLines_ = 0;  // wheel turns that have not made a whole line yet
    qint64 doubleClickMs_ = -1;  // when the last double click came, for a triple click
    QPoint doubleClickAt_;
    quint64 loading_ = 0;  // the load going on, by number; 0 when none
    quint64 loads_ = 0;
};

// Writes the text as an RTF document, as SaveFile does.
QString saveRtf(const QString& path, const QString& text);

// The sentence shown when a file cannot be loaded or saved: the program, the name, the reason.
QString cannotOpenFile(const QString& path, const QString& reason);
QString cannotSaveFile(const QString& path, const QString& reason);
