#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <memory>
#include <utility>
#include <vector>

#include "richtext/Rtf.h"

// What a rich-text box holds: text cut into blocks ready to be shown, each no longer than a
// bound, with their bold, italic and underline. A paragraph longer than the bound is shown as
// several blocks; so the view never lays out more than a bound's worth of text at a time,
// however the file is made (a megabyte on one line, a file of NUL bytes). Built off the UI
// thread and shared read-only.
namespace richtext {

class Content {
public:
    static constexpr qsizetype kMaxBlockChars = 4096;

    // Text as typed: lines end with "\n", "\r\n" or "\r".
    static Content fromPlainText(const QString& text);
    static Content fromDocument(rtf::Document document);

    int blockCount() const { return static_cast<int>(starts_.size()) - 1; }
    QStringView block(int i) const;
    // The block goes on with the paragraph of the one before it (that paragraph was cut).
    bool continuesPrevious(int i) const { return continues_[static_cast<size_t>(i)]; }
    struct Span {
        qsizetype start, length;  // within the block
        rtf::Format format;
    };
    // The formatted stretches of the block (plain text has none).
    std::vector<Span> formats(int i) const;

    // The text of blocks from..to (inclusive), paragraphs separated by '\n'.
    QString text(int from, int to) const;
    QString plainText() const { return blockCount() > 0 ? text(0, blockCount() - 1) : QString(); }
    // How many paragraphs: the blocks that do not continue another.
    qsizetype paragraphCount() const;

    // Offsets in the plain text (text(0, blockCount() - 1)), as screen readers count: where a
    // block starts there, the block holding an offset (a paragraph's line break belongs to the
    // block before it), and the length of the whole.
    qsizetype plainStart(int block) const;
    int blockAtPlain(qsizetype offset) const;
    qsizetype plainLength() const;
    // The first and last block of the paragraph the block belongs to.
    std::pair<int, int> paragraphBlocks(int block) const;

private:
    Content() = default;
    // Appends a paragraph, cut into blocks at the bound.
    void addParagraph(QString paragraph, const std::vector<Span>& spans);
    void finish();

    QString text_;                  // the blocks' characters, one after another
    std::vector<qsizetype> starts_{0};  // where each block starts in text_, and the end
    std::vector<bool> continues_;
    std::vector<int> continuations_;  // the blocks that continue another, in order (few)
    struct Run {
        qsizetype start;  // in text_; the format holds until the next run
        rtf::Format format;
    };
    std::vector<Run> runs_;
};

// What loading a file gives: the content, or why it cannot be shown.
struct Loaded {
    std::shared_ptr<const Content> content;
    QString problem;  // as a sentence for the user; empty when loaded
};

enum class FileKind {
    Rtf,        // only an RTF document is taken
    RtfOrText,  // an RTF document is shown formatted, any other file as plain text
};

// The largest file a box loads.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// Reads, decodes and cuts the file into blocks. It may take a while for a large file: run it
// off the UI thread. With limits, a document past them is refused and read no further.
Loaded load(const QString& path, FileKind kind, rtf::Limits limits = {});

}  // namespace richtext
