// libFuzzer target for the RTF reader: any input must be read without a crash, a hang or a
// read out of bounds, and the text it gives must survive the writer and the reader again.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "richtext/Rtf.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);  // text documents need the font database
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const rtf::Document doc = rtf::read(input);
    QString text = doc.plainText();

    // Line ends of every kind are written as paragraph marks and come back as '\n'.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (rtf::read(rtf::write(text)).plainText() != text) {
        std::fprintf(stderr, "round trip changed the text\n");
        std::abort();
    }

    if (size < 16384) {
        QTextDocument target;
        rtf::fill(target, doc);
    }
    return 0;
}
