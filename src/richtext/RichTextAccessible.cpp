#include "richtext/RichTextAccessible.h"

#include <QTextBoundaryFinder>
#include <algorithm>

#include "richtext/RichTextBox.h"

namespace {

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("RichTextBox") && object && object->isWidgetType())
        return new RichTextAccessible(static_cast<RichTextBox*>(object));
    return nullptr;
}

}  // namespace

RichTextAccessible::RichTextAccessible(RichTextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

void RichTextAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;
}

RichTextBox* RichTextAccessible::box() const { return static_cast<RichTextBox*>(widget()); }

QAccessible::State RichTextAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void* RichTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void RichTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const auto [start, end] = box()->selectionOffsets();
    *startOffset = selectionIndex == 0 && start != end ? static_cast<int>(start) : 0;
    *endOffset = selectionIndex == 0 && start != end ? static_cast<int>(end) : 0;
}

int RichTextAccessible::selectionCount() const
{
    const auto [start, end] = box()->selectionOffsets();
    return start == end ? 0 : 1;
}

void RichTextAccessible::addSelection(int startOffset, int endOffset) { box()->select(startOffset, endOffset); }

void RichTextAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0) box()->select(box()->cursorOffset(), box()->cursorOffset());
}

void RichTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0) box()->select(startOffset, endOffset);
}

int RichTextAccessible::cursorPosition() const { return static_cast<int>(box()->cursorOffset()); }

void RichTextAccessible::setCursorPosition(int position) { box()->select(position, position); }

int RichTextAccessible::characterCount() const { return static_cast<int>(box()->content().plainLength()); }

QString RichTextAccessible::text(int startOffset, int endOffset) const
{
    const richtext::Content& c = box()->content();
    const qsizetype start = std::clamp<qsizetype>(startOffset, 0, c.plainLength());
    const qsizetype end = std::clamp<qsizetype>(endOffset, start, c.plainLength());
    if (start == end) return {};
    const int first = c.blockAtPlain(start), last = c.blockAtPlain(end);  // with a line break at its end
    return c.text(first, last).mid(start - c.plainStart(first), end - start);
}

std::pair<int, int> RichTextAccessible::unitAt(int offset, QAccessible::TextBoundaryType type) const
{
    const richtext::Content& c = box()->content();
    const int length = characterCount();
    if (length == 0) return {0, 0};
    offset = std::clamp(offset, 0, length - 1);
    const int b = c.blockAtPlain(offset);
    const int blockStart = static_cast<int>(c.plainStart(b));
    const QStringView block = c.block(b);
    const int within = offset - blockStart;
    if (type == QAccessible::NoBoundary) return {0, length};
    if (type == QAccessible::ParagraphBoundary) {
        const auto [first, last] = c.paragraphBlocks(b);
        return {static_cast<int>(c.plainStart(first)), static_cast<int>(c.plainStart(last) + c.block(last).size())};
    }
    // A paragraph's line break is a unit of its own.
    if (within >= block.size()) return {offset, offset + 1};
    if (type == QAccessible::LineBoundary) {
        const auto [start, end] = box()->lineAt(offset);
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    if (type == QAccessible::CharBoundary)
        return {offset, offset + (block[within].isHighSurrogate() && within + 1 < block.size() ? 2 : 1)};
    const auto kind = type == QAccessible::SentenceBoundary ? QTextBoundaryFinder::Sentence : QTextBoundaryFinder::Word;
    QTextBoundaryFinder finder(kind, block.toString());
    finder.setPosition(within);
    const qsizetype start = finder.isAtBoundary() ? within : std::max<qsizetype>(0, finder.toPreviousBoundary());
    finder.setPosition(within);
    const qsizetype end = finder.toNextBoundary();
    return {blockStart + static_cast<int>(start), blockStart + static_cast<int>(end < 0 ? block.size() : end)};
}

QString RichTextAccessible::unitText(std::pair<int, int> unit, int* startOffset, int* endOffset) const
{
    *startOffset = unit.first;
    *endOffset = unit.second;
    return text(unit.first, unit.second);
}

QString RichTextAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const
{
    return unitText(unitAt(offset, boundaryType), startOffset, endOffset);
}

QString RichTextAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                             int* endOffset) const
{
    const std::pair<int, int> at = unitAt(offset, boundaryType);
    return unitText(at.first > 0 ? unitAt(at.first - 1, boundaryType) : std::pair(0, 0), startOffset, endOffset);
}

QString RichTextAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const
{
    const std::pair<int, int> at = unitAt(offset, boundaryType);
    const int length = characterCount();
    return unitText(at.second < length ? unitAt(at.second, boundaryType) : std::pair(length, length), startOffset, endOffset);
}

QRect RichTextAccessible::characterRect(int offset) const
{
    const QRect r = box()->characterRect(offset);
    return r.isEmpty() ? QRect() : QRect(box()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int RichTextAccessible::offsetAtPoint(const QPoint& point) const
{
    const QPoint at = box()->viewport()->mapFromGlobal(point);
    return box()->viewport()->rect().contains(at) ? static_cast<int>(box()->offsetAt(at)) : -1;
}

void RichTextAccessible::scrollToSubstring(int startIndex, int) { box()->scrollTo(startIndex); }

QString RichTextAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = offset;
    *endOffset = offset + 1;
    return {};
}
