#pragma once

#include <QAccessibleWidget>
#include <utility>

class RichTextBox;

// What a screen reader reads of a rich-text box: its text by characters, words, sentences, the
// lines as shown and paragraphs, the caret and the selection, and where each character is on the
// screen. Offsets count the plain text (paragraphs separated by one line break); every answer is
// found in the blocks it touches, so a document of millions of lines is never laid out whole.
class RichTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit RichTextAccessible(RichTextBox* box);

    // Gives the box this interface (once, for every box).
    static void install();

    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset, int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    RichTextBox* box() const;
    // The unit of that kind holding the offset, as [start, end).
    std::pair<int, int> unitAt(int offset, QAccessible::TextBoundaryType type) const;
    QString unitText(std::pair<int, int> unit, int* startOffset, int* endOffset) const;
};
