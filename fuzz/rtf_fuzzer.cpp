// libFuzzer target for the RTF reader: any input must be read without a crash, a hang or a
// read out of bounds, the text it gives must survive the writer and the reader again, and the
// blocks a box shows must hold exactly that text.
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "richtext/Rtf.h"
#include "richtext/TextContent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const rtf::Document doc = rtf::read(input);
    QString text = doc.plainText();

    // What the box shows: each paragraph with its control characters as symbols, its line
    // breaks as lines of their own.
    QStringList paragraphs;
    for (const rtf::Paragraph& p : doc.paragraphs) {
        QString t;
        for (const rtf::Run& r : p.runs) t += r.text;
        for (QChar& c : t)
            if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
                c = QChar(c.unicode() == 0x7F ? 0x2421 : 0x2400 + c.unicode());
        paragraphs << t.replace(QChar(0x2028), QLatin1Char('\n'));
    }
    const richtext::Content shown = richtext::Content::fromDocument(doc);
    if (shown.plainText() != paragraphs.join(QLatin1Char('\n'))) {
        std::fprintf(stderr, "the blocks shown do not hold the document's text\n");
        std::abort();
    }
    for (int b = 0; b < shown.blockCount(); ++b) {
        if (shown.block(b).size() > richtext::Content::kMaxBlockChars) std::abort();
        for (const richtext::Content::Span& s : shown.formats(b))
            if (s.start < 0 || s.length <= 0 || s.start + s.length > shown.block(b).size()) std::abort();
    }

    // Line ends of every kind are written as paragraph marks and come back as '\n'.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (rtf::read(rtf::write(text)).plainText() != text) {
        std::fprintf(stderr, "round trip changed the text\n");
        std::abort();
    }
    return 0;
}
