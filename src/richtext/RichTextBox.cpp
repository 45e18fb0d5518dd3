#include "richtext/RichTextBox.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QClipboard>
#include <QFile>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileNames.h"
#include "platform/LocalFile.h"
#include "product/Product.h"
#include "richtext/RichTextAccessible.h"

namespace {

constexpr int kMargin = 4;
constexpr int kLayoutsKept = 512;

QTextCharFormat charFormat(const rtf::Format& f)
{
    QTextCharFormat format;
    if (f.bold) format.setFontWeight(QFont::Bold);
    if (f.italic) format.setFontItalic(true);
    if (f.underline) format.setFontUnderline(true);
    return format;
}

}  // namespace

QString cannotOpenFile(const QString& path, const QString& reason)
{
    return RichTextBox::tr("%1 cannot open \"%2\". %3").arg(product::kTitle, path, reason);
}

QString cannotSaveFile(const QString& path, const QString& reason)
{
    return RichTextBox::tr("%1 cannot save \"%2\". %3").arg(product::kTitle, path, reason);
}

RichTextBox::RichTextBox(QWidget* parent)
    : QAbstractScrollArea(parent), content_(std::make_shared<const richtext::Content>(richtext::Content::fromPlainText({})))
{
    RichTextAccessible::install();
    layouts_.setMaxCost(kLayoutsKept);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    updateScrollBar();
}

RichTextBox::~RichTextBox() = default;

void RichTextBox::setText(const QString& text)
{
    display(std::make_shared<const richtext::Content>(richtext::Content::fromPlainText(text)));
}

void RichTextBox::display(std::shared_ptr<const richtext::Content> content)
{
    content_ = std::move(content);
    layouts_.clear();
    topBlock_ = topLine_ = 0;
    anchor_ = cursor_ = Position{};
    column_ = -1;
    wheelLines_ = 0;
    updateScrollBar();
    viewport()->update();
}

void RichTextBox::LoadFile(const QString& path, FileKind kind, std::function<void(const QString&)> done, rtf::Limits limits)
{
    const quint64 id = ++loads_;
    loading_ = id;
    viewport()->setCursor(Qt::BusyCursor);
    auto* watcher = new QFutureWatcher<richtext::Loaded>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, id, done = std::move(done)] {
        watcher->deleteLater();
        if (id != loading_) return;  // a newer load replaced it
        loading_ = 0;
        viewport()->setCursor(Qt::IBeamCursor);
        const richtext::Loaded loaded = watcher->result();
        if (loaded.content) display(loaded.content);
        done(loaded.problem);
    });
    watcher->setFuture(QtConcurrent::run([path, kind, limits] { return richtext::load(path, kind, limits); }));
}

QString RichTextBox::SaveFile(const QString& path) const { return saveRtf(path, text()); }

QString saveRtf(const QString& path, const QString& text)
{
    // A folder of that name is said as such, rather than as a file that cannot be written.
    struct stat st {};
    if (::stat(platform::encodeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)) return platform::writeProblem(EISDIR);
    // Written beside the target under another name, then renamed over it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return platform::writeProblem(errno);
    const QByteArray document = rtf::write(text);
    errno = 0;
    int error = 0;
    if (file.write(document) != document.size() || !file.flush()) error = errno;
    else if (::fsync(file.handle()) != 0) error = errno;
    if (error != 0 || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return platform::writeProblem(error);
    }
    if (!file.commit()) return platform::writeProblem(errno);
    return {};
}

// --- the view ------------------------------------------------------------------------------

QTextLayout& RichTextBox::layout(int block) const
{
    if (QTextLayout* cached = layouts_.object(block)) return *cached;
    auto* l = new QTextLayout(content_->block(block).toString(), font(), viewport());
    QList<QTextLayout::FormatRange> ranges;
    for (const richtext::Content::Span& s : content_->formats(block))
        ranges.append({static_cast<int>(s.start), static_cast<int>(s.length), charFormat(s.format)});
    l->setFormats(ranges);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Right to left, lines start at the right.
    option.setTextDirection(layoutDirection());
    option.setAlignment(QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft));
    l->setTextOption(option);
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    qreal y = 0;
    l->beginLayout();
    for (QTextLine line = l->createLine(); line.isValid(); line = l->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    l->endLayout();
    layouts_.insert(block, l);
    return *l;
}

void RichTextBox::relayout()
{
    layouts_.clear();
    if (content_->blockCount() > 0) topLine_ = std::min(topLine_, layout(topBlock_).lineCount() - 1);
    viewport()->update();
}

int RichTextBox::linesShown() const { return std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing())); }

void RichTextBox::updateScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker quiet(bar);
    bar->setRange(0, std::max(0, content_->blockCount() - 1));
    bar->setPageStep(linesShown());
    bar->setValue(topBlock_);
}

void RichTextBox::scrollContentsBy(int, int)
{
    // The scroll bar counts blocks; within a block the view moves by lines.
    if (verticalScrollBar()->value() != topBlock_) {
        topBlock_ = verticalScrollBar()->value();
        topLine_ = 0;
    }
    viewport()->update();
}

int RichTextBox::step(Line& at, int lines) const
{
    const int blocks = content_->blockCount();
    int moved = 0;
    for (; lines > 0 && blocks > 0; --lines, ++moved) {
        if (at.line + 1 < layout(at.block).lineCount()) ++at.line;
        else if (at.block + 1 < blocks) at = Line{at.block + 1, 0};
        else break;
    }
    for (; lines < 0 && blocks > 0; ++lines, --moved) {
        if (at.line > 0) --at.line;
        else if (at.block > 0) at = Line{at.block - 1, layout(at.block - 1).lineCount() - 1};
        else break;
    }
    return moved;
}

RichTextBox::Line RichTextBox::lineOf(Position p) const
{
    return Line{p.block, std::max(0, layout(p.block).lineForTextPosition(p.offset).lineNumber())};
}

void RichTextBox::scrollLines(int lines)
{
    Line top{topBlock_, topLine_};
    step(top, lines);
    topBlock_ = top.block;
    topLine_ = top.line;
    updateScrollBar();
    viewport()->update();
}

std::vector<std::pair<int, qreal>> RichTextBox::shownBlocks() const
{
    std::vector<std::pair<int, qreal>> shown;
    qreal y = kMargin;
    for (int b = topBlock_; b < content_->blockCount() && y < viewport()->height(); ++b) {
        const QTextLayout& l = layout(b);
        const qreal top = b == topBlock_ ? y - l.lineAt(std::min(topLine_, l.lineCount() - 1)).y() : y;
        shown.emplace_back(b, top);
        y = top + l.boundingRect().height();
    }
    return shown;
}

void RichTextBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const Position from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
    for (const auto& [b, top] : shownBlocks()) {
        const QTextLayout& l = layout(b);
        QList<QTextLayout::FormatRange> selection;
        if (from != to && b >= from.block && b <= to.block) {
            const int start = b == from.block ? from.offset : 0;
            const int end = b == to.block ? to.offset : static_cast<int>(content_->block(b).size());
            QTextCharFormat marked;
            marked.setBackground(palette().brush(QPalette::Highlight));
            marked.setForeground(palette().brush(QPalette::HighlightedText));
            selection.append({start, end - start, marked});
        }
        l.draw(&painter, QPointF(kMargin, top), selection);
        if (b == cursor_.block && hasFocus()) l.drawCursor(&painter, QPointF(kMargin, top), cursor_.offset);
    }
}

RichTextBox::Position RichTextBox::positionAt(QPoint point) const
{
    const std::vector<std::pair<int, qreal>> shown = shownBlocks();
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto [b, top] = shown[i];
        const QTextLayout& l = layout(b);
        if (point.y() >= top + l.boundingRect().height() && i + 1 < shown.size()) continue;
        for (int k = 0; k < l.lineCount(); ++k) {
            const QTextLine line = l.lineAt(k);
            if (point.y() < top + line.y() + line.height() || k == l.lineCount() - 1)
                return Position{b, line.xToCursor(point.x() - kMargin)};
        }
    }
    return documentEnd();
}

RichTextBox::Position RichTextBox::documentEnd() const
{
    const int last = content_->blockCount() - 1;
    return last < 0 ? Position{} : Position{last, static_cast<int>(content_->block(last).size())};
}

RichTextBox::Position RichTextBox::toPosition(qsizetype offset) const
{
    if (content_->blockCount() == 0) return {};
    const int b = content_->blockAtPlain(offset);
    const qsizetype within = std::clamp<qsizetype>(offset - content_->plainStart(b), 0, content_->block(b).size());
    return Position{b, static_cast<int>(within)};
}

qsizetype RichTextBox::toOffset(Position p) const
{
    return content_->blockCount() == 0 ? 0 : content_->plainStart(p.block) + p.offset;
}

std::pair<qsizetype, qsizetype> RichTextBox::selectionOffsets() const
{
    return {toOffset(std::min(anchor_, cursor_)), toOffset(std::max(anchor_, cursor_))};
}

QString RichTextBox::selectedText() const
{
    const Position from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
    if (from == to) return {};
    QString text = content_->text(from.block, to.block);
    text.chop(content_->block(to.block).size() - to.offset);
    return text.mid(from.offset);
}

void RichTextBox::selectAll()
{
    anchor_ = Position{};
    cursor_ = documentEnd();
    viewport()->update();
    selectionChanged();
}

void RichTextBox::copy() const
{
    if (const QString text = selectedText(); !text.isEmpty()) QApplication::clipboard()->setText(text);
}

void RichTextBox::select(qsizetype anchor, qsizetype cursor)
{
    anchor_ = toPosition(anchor);
    moveCursor(toPosition(cursor), true);
}

QRect RichTextBox::characterRect(qsizetype offset) const
{
    const Position p = toPosition(offset);
    for (const auto& [b, top] : shownBlocks()) {
        if (b != p.block) continue;
        const QTextLine line = layout(b).lineForTextPosition(p.offset);
        const qreal x = line.cursorToX(p.offset), end = line.cursorToX(p.offset + 1);
        return QRectF(kMargin + std::min(x, end), top + line.y(), std::max(1.0, std::abs(end - x)), line.height()).toAlignedRect();
    }
    return {};
}

std::pair<qsizetype, qsizetype> RichTextBox::lineAt(qsizetype offset) const
{
    const Position p = toPosition(offset);
    if (content_->blockCount() == 0) return {0, 0};
    const QTextLine line = layout(p.block).lineForTextPosition(p.offset);
    const qsizetype start = content_->plainStart(p.block);
    return {start + line.textStart(), start + line.textStart() + line.textLength()};
}

void RichTextBox::scrollTo(qsizetype offset) { ensureVisible(toPosition(offset)); }

void RichTextBox::ensureVisible(Position p)
{
    if (content_->blockCount() == 0) return;
    const Line target = lineOf(p);
    Line top{topBlock_, topLine_};
    if (target < top) {
        top = target;
    } else {
        // Below the view: the target becomes its last line.
        Line last = top;
        step(last, linesShown() - 1);
        if (last < target) {
            top = target;
            step(top, -(linesShown() - 1));
        }
    }
    topBlock_ = top.block;
    topLine_ = top.line;
    updateScrollBar();
    viewport()->update();
}

void RichTextBox::moveCursor(Position to, bool extend, bool keepColumn)
{
    if (!keepColumn) column_ = -1;
    cursor_ = to;
    if (!extend) anchor_ = to;
    ensureVisible(to);
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, static_cast<int>(cursorOffset()));
        QAccessible::updateAccessibility(&moved);
    }
    if (extend) selectionChanged();
}

RichTextBox::Position RichTextBox::lineMove(Position from, int lines)
{
    if (content_->blockCount() == 0) return from;
    if (column_ < 0) column_ = layout(from.block).lineForTextPosition(from.offset).cursorToX(from.offset);
    Line at = lineOf(from);
    const int moved = step(at, lines);
    // Past the first or the last line: to the start or the end of the document.
    if (moved != lines) return lines > 0 ? documentEnd() : Position{};
    return Position{at.block, layout(at.block).lineAt(at.line).xToCursor(column_)};
}

RichTextBox::Position RichTextBox::next(Position p, bool forward, bool words) const
{
    const QTextLayout& l = layout(p.block);
    const auto mode = words ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    const int size = static_cast<int>(content_->block(p.block).size());
    if (forward && p.offset < size) return Position{p.block, l.nextCursorPosition(p.offset, mode)};
    if (!forward && p.offset > 0) return Position{p.block, l.previousCursorPosition(p.offset, mode)};
    if (forward && p.block + 1 < content_->blockCount()) return Position{p.block + 1, 0};
    if (!forward && p.block > 0) return Position{p.block - 1, static_cast<int>(content_->block(p.block - 1).size())};
    return p;
}

void RichTextBox::selectionChanged()
{
    viewport()->update();
    if (QAccessible::isActive()) {
        const auto [start, end] = selectionOffsets();
        QAccessibleTextSelectionEvent selected(this, static_cast<int>(start), static_cast<int>(end));
        selected.setCursorPosition(static_cast<int>(cursorOffset()));
        QAccessible::updateAccessibility(&selected);
    }
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && anchor_ != cursor_) clipboard->setText(selectedText(), QClipboard::Selection);
}

void RichTextBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
    updateScrollBar();
}

void RichTextBox::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LayoutDirectionChange) relayout();
}

void RichTextBox::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();  // the caret shows
}

void RichTextBox::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void RichTextBox::wheelEvent(QWheelEvent* event)
{
    // Small turns (a touchpad's 15 units, or its pixels) add up until they make a line.
    if (!event->pixelDelta().isNull()) wheelLines_ -= event->pixelDelta().y() / static_cast<qreal>(fontMetrics().lineSpacing());
    else wheelLines_ -= event->angleDelta().y() / 120.0 * QApplication::wheelScrollLines();
    const int lines = static_cast<int>(wheelLines_);
    wheelLines_ -= lines;
    scrollLines(lines);
    event->accept();
}

void RichTextBox::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier, control = event->modifiers() & Qt::ControlModifier;
    const int page = std::max(1, linesShown() - 1);  // a line of the last page stays in view
    // Left and right go by what is shown: in a right-to-left box, left goes on in the text.
    const bool rightIsForward = layoutDirection() == Qt::LeftToRight;
    const Line line = lineOf(cursor_);
    const QTextLine shown = layout(line.block).lineAt(line.line);
    if (event->matches(QKeySequence::Copy)) copy();
    else if (event->matches(QKeySequence::SelectAll)) selectAll();
    else switch (event->key()) {
        case Qt::Key_Down: moveCursor(lineMove(cursor_, 1), extend, true); break;
        case Qt::Key_Up: moveCursor(lineMove(cursor_, -1), extend, true); break;
        case Qt::Key_PageDown:
            scrollLines(page);
            moveCursor(lineMove(cursor_, page), extend, true);
            break;
        case Qt::Key_PageUp:
            scrollLines(-page);
            moveCursor(lineMove(cursor_, -page), extend, true);
            break;
        case Qt::Key_Home:
            moveCursor(control ? Position{} : Position{line.block, shown.textStart()}, extend);
            break;
        case Qt::Key_End:
            moveCursor(control ? documentEnd() : Position{line.block, shown.textStart() + shown.textLength()}, extend);
            break;
        case Qt::Key_Right: moveCursor(next(cursor_, rightIsForward, control), extend); break;
        case Qt::Key_Left: moveCursor(next(cursor_, !rightIsForward, control), extend); break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
        }
    event->accept();
}

void RichTextBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const Position at = positionAt(event->position().toPoint());
    // A third click soon after a double click, where it was: the whole paragraph.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (doubleClickMs_ >= 0 && now - doubleClickMs_ < QApplication::doubleClickInterval() &&
        (event->position().toPoint() - doubleClickAt_).manhattanLength() < QApplication::startDragDistance()) {
        const auto [first, last] = content_->paragraphBlocks(at.block);
        anchor_ = Position{first, 0};
        cursor_ = Position{last, static_cast<int>(content_->block(last).size())};
        doubleClickMs_ = -1;
        selectionChanged();
        return;
    }
    moveCursor(at, event->modifiers() & Qt::ShiftModifier);
}

void RichTextBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    cursor_ = positionAt(event->position().toPoint());
    viewport()->update();
}

void RichTextBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && anchor_ != cursor_) selectionChanged();
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const Position at = positionAt(event->position().toPoint());
    const QString text = content_->block(at.block).toString();
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(at.offset);
    const qsizetype start = words.isAtBoundary() ? at.offset : std::max<qsizetype>(0, words.toPreviousBoundary());
    words.setPosition(at.offset);
    const qsizetype end = words.toNextBoundary();
    anchor_ = Position{at.block, static_cast<int>(start)};
    cursor_ = Position{at.block, static_cast<int>(end < 0 ? text.size() : end)};
    doubleClickMs_ = QDateTime::currentMSecsSinceEpoch();
    doubleClickAt_ = event->position().toPoint();
    selectionChanged();
}

void RichTextBox::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(tr("&Copy"), this, &RichTextBox::copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(anchor_ != cursor_);
    menu->addAction(tr("Select &All"), this, &RichTextBox::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu->popup(event->globalPos());
}
