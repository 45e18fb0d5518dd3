#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// Rich Text Format: a writer for plain text and a tolerant reader for what word processors write.
// The reader never fails: unknown control words are passed over, unbalanced braces are
// forgiven, and it keeps to the bytes it is given.
namespace rtf {

struct Format {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Format&) const = default;
};

struct Run {
    QString text;  // a line break inside a paragraph is U+2028
    Format format;
};

struct Paragraph {
    std::vector<Run> runs;
};

struct Document {
    std::vector<Paragraph> paragraphs;
    // Where reading stopped at a limit (see Limits); the document holds what came before it.
    enum class Cut { No, Paragraphs, ParagraphChars } cut = Cut::No;

    // The text without markup: paragraphs separated by '\n', line breaks as '\n'.
    QString plainText() const;
};

// Where reading stops, for callers that refuse longer documents: the number of paragraphs (a
// line break inside one counts as a new one) and the characters of one. Zero: no limit.
struct Limits {
    qsizetype paragraphs = 0;
    qsizetype paragraphChars = 0;
};

// True when the data starts as an RTF document does ("{\rtf", after blanks).
bool looksLikeRtf(QByteArrayView data);

Document read(QByteArrayView data, Limits limits = {});

// An RTF 1.x document whose plain text is the given text: one paragraph per line, characters
// outside printable ASCII as \uN followed by a '?' for readers without Unicode.
QByteArray write(const QString& text);

}  // namespace rtf
