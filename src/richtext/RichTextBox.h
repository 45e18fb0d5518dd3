#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QTextLayout>
#include <functional>
#include <memory>

#include "richtext/TextContent.h"

// Rich-text box: text with paragraphs, bold, italic and underline, loaded from and saved to
// Rich Text Format files, shown read-only (scroll, select, copy). Files are read and cut into
// blocks off the UI thread; the box lays out only the blocks it shows, so a document of any
// shape within the bound shows at once and the UI thread never waits on it.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Position {
        int block = 0;
        int offset = 0;  // within the block
        auto operator<=>(const Position&) const = default;
    };
    void display(std::shared_ptr<const richtext::Content> content);
    // The block laid out at the view's width (kept for the blocks shown lately).
    QTextLayout& layout(int block) const;
    void relayout();
    // Moves the top of the view by whole lines (negative: up).
    void scrollLines(int lines);
    void updateScrollBar();
    // How many lines of the font the view shows at once.
    int linesShown() const;
    Position positionAt(QPoint point) const;

    std::shared_ptr<const richtext::Content> content_;
    mutable QCache<int, QTextLayout> layouts_;
    int topBlock_ = 0;
    int topLine_ = 0;  // the first line of the top block that is shown
    Position anchor_, cursor_;
    quint64 loading_ = 0;  // the load going on, by number; 0 when none
    quint64 loads_ = 0;
};

// The sentence shown when a file cannot be loaded or saved: the program, the name, the reason.
QString cannotOpenFile(const QString& path, const QString& reason);
QString cannotSaveFile(const QString& path, const QString& reason);
