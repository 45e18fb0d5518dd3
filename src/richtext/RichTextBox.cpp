#include "richtext/RichTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QtConcurrent/QtConcurrentRun>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileNames.h"
#include "platform/LocalFile.h"
#include "product/Product.h"

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

QString RichTextBox::SaveFile(const QString& path) const
{
    // A folder of that name is said as such, rather than as a file that cannot be written.
    struct stat st {};
    if (::stat(platform::encodeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)) return platform::writeProblem(EISDIR);
    // Written beside the target under another name, then renamed over it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return platform::writeProblem(errno);
    const QByteArray document = rtf::write(text());
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

void RichTextBox::scrollLines(int lines)
{
    const int blocks = content_->blockCount();
    if (blocks == 0) return;
    for (; lines > 0; --lines) {
        if (topLine_ + 1 < layout(topBlock_).lineCount()) ++topLine_;
        else if (topBlock_ + 1 < blocks) ++topBlock_, topLine_ = 0;
        else break;
    }
    for (; lines < 0; ++lines) {
        if (topLine_ > 0) --topLine_;
        else if (topBlock_ > 0) --topBlock_, topLine_ = layout(topBlock_).lineCount() - 1;
        else break;
    }
    updateScrollBar();
    viewport()->update();
}

void RichTextBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const Position from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
    qreal y = kMargin;
    for (int b = topBlock_; b < content_->blockCount() && y < viewport()->height(); ++b) {
        const QTextLayout& l = layout(b);
        const qreal top = b == topBlock_ ? y - l.lineAt(std::min(topLine_, l.lineCount() - 1)).y() : y;
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
        y = top + l.boundingRect().height();
    }
}

RichTextBox::Position RichTextBox::positionAt(QPoint point) const
{
    const int blocks = content_->blockCount();
    if (blocks == 0) return {};
    qreal y = kMargin;
    for (int b = topBlock_; b < blocks; ++b) {
        const QTextLayout& l = layout(b);
        const qreal top = b == topBlock_ ? y - l.lineAt(std::min(topLine_, l.lineCount() - 1)).y() : y;
        const qreal bottom = top + l.boundingRect().height();
        if (point.y() < bottom || b == blocks - 1 || bottom > viewport()->height()) {
            for (int i = 0; i < l.lineCount(); ++i) {
                const QTextLine line = l.lineAt(i);
                if (point.y() < top + line.y() + line.height() || i == l.lineCount() - 1)
                    return Position{b, line.xToCursor(point.x() - kMargin)};
            }
        }
        y = bottom;
    }
    return Position{blocks - 1, static_cast<int>(content_->block(blocks - 1).size())};
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
    const int last = content_->blockCount() - 1;
    anchor_ = Position{};
    cursor_ = last < 0 ? Position{} : Position{last, static_cast<int>(content_->block(last).size())};
    viewport()->update();
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
    if (event->type() == QEvent::FontChange) relayout();
}

void RichTextBox::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) scrollLines(-steps * QApplication::wheelScrollLines());
    event->accept();
}

void RichTextBox::keyPressEvent(QKeyEvent* event)
{
    const int page = std::max(1, linesShown() - 1);  // a line of the last page stays in view
    if (event->matches(QKeySequence::Copy)) QApplication::clipboard()->setText(selectedText());
    else if (event->matches(QKeySequence::SelectAll)) selectAll();
    else if (event->matches(QKeySequence::MoveToStartOfDocument)) verticalScrollBar()->setValue(0);
    else if (event->matches(QKeySequence::MoveToEndOfDocument)) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    else if (event->key() == Qt::Key_Down) scrollLines(1);
    else if (event->key() == Qt::Key_Up) scrollLines(-1);
    else if (event->key() == Qt::Key_PageDown) scrollLines(page);
    else if (event->key() == Qt::Key_PageUp) scrollLines(-page);
    else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void RichTextBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    cursor_ = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    viewport()->update();
}

void RichTextBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    cursor_ = positionAt(event->position().toPoint());
    viewport()->update();
}
