#include "richtext/TextContent.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>

#include "platform/LocalFile.h"

namespace richtext {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("richtext", text); }

constexpr QChar kLineBreak(0x2028);

// Control characters other than the tab have no picture of their own: each is shown as its
// symbol (U+2400 and on), so a file of NUL bytes shows what it holds.
void showControls(QString& text)
{
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t') c = QChar(static_cast<char16_t>(0x2400 + u));
        else if (u == 0x7F) c = QChar(0x2421);
    }
}

// Text that is not valid UTF-8 is taken as Windows' Western code page, the usual alternative.
QString decodeText(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError()) return text;
    QStringDecoder western("windows-1252", QStringConverter::Flag::Stateless);
    return western.isValid() ? QString(western.decode(data)) : QString::fromLatin1(data);
}

bool isPlain(const rtf::Format& f) { return f == rtf::Format{}; }

}  // namespace

void Content::addParagraph(QString paragraph, const std::vector<Span>& spans)
{
    showControls(paragraph);
    const qsizetype paragraphStart = text_.size();
    qsizetype pos = 0;
    bool first = true;
    do {
        qsizetype length = std::min(kMaxBlockChars, paragraph.size() - pos);
        if (pos + length < paragraph.size()) {
            // Cut after a blank near the bound where there is one, never inside a character.
            for (qsizetype k = length; k > length - kMaxBlockChars / 8; --k)
                if (paragraph[pos + k - 1] == QLatin1Char(' ')) {
                    length = k;
                    break;
                }
            if (paragraph[pos + length - 1].isHighSurrogate()) --length;
        }
        text_.append(QStringView(paragraph).mid(pos, length));
        starts_.push_back(text_.size());
        continues_.push_back(!first);
        pos += length;
        first = false;
    } while (pos < paragraph.size());
    for (const Span& s : spans) {
        runs_.push_back(Run{paragraphStart + s.start, s.format});
        runs_.push_back(Run{paragraphStart + s.start + s.length, rtf::Format{}});
    }
}

void Content::finish()
{
    for (int i = 0; i < blockCount(); ++i)
        if (continues_[static_cast<size_t>(i)]) continuations_.push_back(i);
    text_.squeeze();
    starts_.shrink_to_fit();
    runs_.shrink_to_fit();
}

Content Content::fromPlainText(const QString& text)
{
    Content c;
    c.text_.reserve(text.size());
    if (!text.isEmpty()) {
        qsizetype start = 0;
        while (true) {
            qsizetype end = start;
            while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r')) ++end;
            c.addParagraph(text.mid(start, end - start), {});
            if (end == text.size()) break;
            start = end + (text[end] == QLatin1Char('\r') && end + 1 < text.size() && text[end + 1] == QLatin1Char('\n') ? 2 : 1);
        }
    }
    c.finish();
    return c;
}

Content Content::fromDocument(rtf::Document document)
{
    Content c;
    qsizetype total = 0;
    for (const rtf::Paragraph& p : document.paragraphs)
        for (const rtf::Run& r : p.runs) total += r.text.size();
    c.text_.reserve(total);
    for (rtf::Paragraph& p : document.paragraphs) {
        // A line break inside a paragraph starts a line of its own.
        QString line;
        std::vector<Span> spans;
        for (rtf::Run& run : p.runs) {
            qsizetype from = 0;
            while (true) {
                const qsizetype br = run.text.indexOf(kLineBreak, from);
                const qsizetype end = br < 0 ? run.text.size() : br;
                if (end > from && !isPlain(run.format)) spans.push_back(Span{line.size(), end - from, run.format});
                line.append(QStringView(run.text).mid(from, end - from));
                if (br < 0) break;
                c.addParagraph(std::move(line), spans);
                line = QString();
                spans.clear();
                from = br + 1;
            }
            run.text = QString();  // the document's copy is not needed any more
        }
        c.addParagraph(std::move(line), spans);
    }
    c.finish();
    return c;
}

QStringView Content::block(int i) const
{
    const auto k = static_cast<size_t>(i);
    return QStringView(text_).mid(starts_[k], starts_[k + 1] - starts_[k]);
}

std::vector<Content::Span> Content::formats(int i) const
{
    std::vector<Span> spans;
    const qsizetype begin = starts_[static_cast<size_t>(i)], end = starts_[static_cast<size_t>(i) + 1];
    auto it = std::upper_bound(runs_.begin(), runs_.end(), begin, [](qsizetype pos, const Run& r) { return pos < r.start; });
    if (it != runs_.begin()) --it;
    for (; it != runs_.end() && it->start < end; ++it) {
        const qsizetype from = std::max(it->start, begin);
        const qsizetype to = std::min(std::next(it) == runs_.end() ? end : std::next(it)->start, end);
        if (to > from && !isPlain(it->format)) spans.push_back(Span{from - begin, to - from, it->format});
    }
    return spans;
}

QString Content::text(int from, int to) const
{
    QString out;
    out.reserve(starts_[static_cast<size_t>(to) + 1] - starts_[static_cast<size_t>(from)] + (to - from));
    for (int i = from; i <= to; ++i) {
        if (i > from && !continuesPrevious(i)) out += QLatin1Char('\n');
        out += block(i);
    }
    return out;
}

qsizetype Content::paragraphCount() const { return std::count(continues_.begin(), continues_.end(), false); }

qsizetype Content::plainStart(int block) const
{
    // One line break before every block from the second that starts a paragraph.
    const auto continuing = std::upper_bound(continuations_.begin(), continuations_.end(), block) - continuations_.begin();
    return starts_[static_cast<size_t>(block)] + block - continuing;
}

int Content::blockAtPlain(qsizetype offset) const
{
    int low = 0, high = blockCount() - 1;  // the last block starting at or before the offset
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (plainStart(mid) <= offset) low = mid;
        else high = mid - 1;
    }
    return std::max(low, 0);
}

std::pair<int, int> Content::paragraphBlocks(int block) const
{
    int first = block, last = block;
    while (first > 0 && continuesPrevious(first)) --first;
    while (last + 1 < blockCount() && continuesPrevious(last + 1)) ++last;
    return {first, last};
}

qsizetype Content::plainLength() const
{
    return blockCount() == 0 ? 0 : plainStart(blockCount() - 1) + block(blockCount() - 1).size();
}

Loaded load(const QString& path, FileKind kind, rtf::Limits limits)
{
    const platform::LocalFile file = platform::readLocalFile(path, kMaxFileBytes);
    if (!file.problem.isEmpty()) return {nullptr, file.problem};
    if (!file.complete) return {nullptr, tr("It is larger than %1 MB.").arg(kMaxFileBytes / (1024 * 1024))};
    if (rtf::looksLikeRtf(file.data)) {
        rtf::Document document = rtf::read(file.data, limits);
        switch (document.cut) {
        case rtf::Document::Cut::Paragraphs: return {nullptr, tr("It has more than %1 lines.").arg(limits.paragraphs)};
        case rtf::Document::Cut::ParagraphChars:
            return {nullptr, tr("It has a line longer than %1 characters.").arg(limits.paragraphChars)};
        case rtf::Document::Cut::No: break;
        }
        return {std::make_shared<const Content>(Content::fromDocument(std::move(document))), {}};
    }
    if (kind == FileKind::Rtf) return {nullptr, tr("It is not a Rich Text Format document.")};
    return {std::make_shared<const Content>(Content::fromPlainText(decodeText(file.data))), {}};
}

}  // namespace richtext
