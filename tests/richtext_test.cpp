#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "richtext/RichTextBox.h"
#include "richtext/Rtf.h"
#include "support/TestFiles.h"

namespace {

QString plain(const QByteArray& rtf) { return rtf::read(rtf).plainText(); }

QString rtfData(const char* name) { return QStringLiteral(ZP_RTF_DATA_DIR "/") + QLatin1String(name); }

// Text with its format flags, run by run: "[bi]text" style.
QString runsOf(const rtf::Document& doc)
{
    QString out;
    for (const rtf::Paragraph& p : doc.paragraphs) {
        for (const rtf::Run& r : p.runs) {
            QString flags;
            if (r.format.bold) flags += 'b';
            if (r.format.italic) flags += 'i';
            if (r.format.underline) flags += 'u';
            out += QStringLiteral("[%1]%2").arg(flags, r.text);
        }
        out += '|';
    }
    return out;
}

}  // namespace

TEST(RtfReader, PlainTextOfWhatWordProcessorsWrite)
{
    const struct {
        const char* what;
        QByteArray rtf;
        QString text;
    } cases[] = {
        {"paragraphs, CRLF between tokens", "{\\rtf1\\ansi one\\par\r\ntwo\\par\r\n}", "one\ntwo"},
        {"empty paragraphs kept, last mark closes", "{\\rtf1 a\\par\\par b\\par\\par}", "a\n\nb\n"},
        {"line and tab", "{\\rtf1 a\\line b\\tab c}", "a\nb\tc"},
        {"nested groups", "{\\rtf1 a{b{c}d}e}", "abcde"},
        {"font, colour and style tables skipped",
         "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}x}", "x"},
        {"ignorable destination", "{\\rtf1 a{\\*\\unknowndest junk {nested junk}}b}", "ab"},
        {"unknown control words pass", "{\\rtf1\\foo\\bar12 a\\baz-3 b}", "ab"},
        {"escaped specials", "{\\rtf1 \\{x\\} \\\\ y}", "{x} \\ y"},
        {"western code page bytes", "{\\rtf1\\ansi caf\\'e9 \\'93q\\'94}", QString::fromUtf8("café “q”")},
        {"document code page", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0}", QString::fromUtf8("Пр")},
        {"font character set wins", "{\\rtf1{\\fonttbl{\\f1\\fcharset204 X;}}\\f1 \\'cf}", QString::fromUtf8("П")},
        {"two-byte code page", "{\\rtf1\\ansicpg932 \\'82\\'a0}", QString::fromUtf8("あ")},
        {"unicode with fallback", "{\\rtf1 caf\\u233?s}", QString::fromUtf8("cafés")},
        {"uc2 skips two", "{\\rtf1\\uc2\\u1055\\'cf\\'3fx}", QString::fromUtf8("Пx")},
        {"uc0 skips none", "{\\rtf1\\uc0\\u1055 x}", QString::fromUtf8("Пx")},
        {"uc is kept per group", "{\\rtf1{\\uc2 a}\\u1055??x}", QString::fromUtf8("aП?x")},
        {"negative unicode, surrogate pair", "{\\rtf1\\u-10180?\\u-8267?}", QString::fromUtf8("🎵")},
        {"group end stops fallback", "{\\rtf1\\uc3\\u1055{}abc}", QString::fromUtf8("Пabc")},
        {"binary data skipped", "{\\rtf1 a{\\pict\\bin5 }{\\}}}b}", "ab"},
        {"binary count past the end", "{\\rtf1 a\\bin99999999999 xyz", "a"},
        {"missing closing braces", "{\\rtf1 a{\\b b", "ab"},
        {"extra closing braces", "{\\rtf1 a}}}b", "a"},
        {"upr shows its unicode half", "{\\rtf1{\\upr{ANSI}{\\*\\ud{Uni\\u8364?}}}}", QString::fromUtf8("Uni€")},
        {"symbol words", "{\\rtf1\\ldblquote x\\rdblquote\\emdash\\~\\bullet}", QString::fromUtf8("“x”—\u00a0•")},
        {"field shows its result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"},
        {"escaped newline is a paragraph", "{\\rtf1 a\\\nb}", "a\nb"},
        {"very long control word and number", "{\\rtf1 a\\" + QByteArray(100, 'x') + "123456789012345 b}", "ab"},
        {"not RTF at all", "plain words", "plain words"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(plain(c.rtf), c.text) << c.what;
}

TEST(RtfReader, BoldItalicUnderlineFollowGroupsAndResets)
{
    EXPECT_EQ(runsOf(rtf::read("{\\rtf1 a{\\b b{\\i c}}d\\ul e\\ulnone f\\uldb g\\ul0 h\\i\\b i\\plain j\\par k}")),
              QStringLiteral("[]a[b]b[bi]c[]d[u]e[]f[u]g[]h[bi]i[]j|[]k|"));
    EXPECT_EQ(runsOf(rtf::read("{\\rtf1\\b1 a\\b0 b\\ulc1 c}")), QStringLiteral("[b]a[]bc|"));
}

TEST(RtfReader, DeepNestingAndHugeInputsStayBounded)
{
    const QByteArray deep = "{\\rtf1 " + QByteArray(200000, '{') + "x" + QByteArray(200000, '}') + "after}";
    EXPECT_EQ(plain(deep), QStringLiteral("xafter"));
    const QByteArray unbalanced = "{\\rtf1 " + QByteArray(100000, '{') + "\\b y";
    EXPECT_EQ(runsOf(rtf::read(unbalanced)), QStringLiteral("[b]y|"));
    const QByteArray manyParagraphs = "{\\rtf1 " + QByteArray("\\par ").repeated(100000) + "z}";
    EXPECT_EQ(rtf::read(manyParagraphs).paragraphs.size(), 100001u);
}

TEST(RtfReader, FilesWrittenByOtherPrograms)
{
    const QString expected = QString::fromUtf8(
        "First paragraph with bold, italic and underlined words.\n"
        "Second paragraph: café, naïve, Привет, 日本語, emoji 🎵, braces {x} and back\\slash.\n"
        "•\ta bullet item\n•\tanother item");
    for (const char* file : {"pandoc.rtf", "libreoffice.rtf"}) {
        const rtf::Document doc = rtf::read(fileBytes(rtfData(file)));
        EXPECT_EQ(doc.plainText(), expected) << file;
        ASSERT_FALSE(doc.paragraphs.empty()) << file;
        EXPECT_TRUE(runsOf(doc).startsWith(
            QStringLiteral("[]First paragraph with [b]bold[], [i]italic[] and [u]underlined[] words.|")))
            << file;
    }
    // A table, a picture and typographic quotes, as LibreOffice writes them.
    EXPECT_EQ(rtf::read(fileBytes(rtfData("libreoffice_table_image.rtf"))).plainText(),
              QString::fromUtf8("Title line with bold bold italic bold and plain.\n\nName\tLength\t\n"
                                "one.mp3\t12.5\t\nдва.wav\t3\t\nLast line: “quotes” — dash – end."));
}

TEST(RtfWriter, RoundTripsAnyTextAndIsPlainAscii)
{
    const QString texts[] = {
        QString(),
        QStringLiteral("clip.mp3"),
        QString::fromUtf8("Ünïcödé name.wav\nПривет мир.ogg\n日本語.mp3\n🎵 emoji.flac"),
        QStringLiteral("braces {x} and back\\slash\\{y}.rm"),
        QStringLiteral("  leading and trailing spaces  \n\tand a tab"),
        QStringLiteral("ends with newline\n"),
        QStringLiteral("\n\nstarts with blank lines"),
        QStringLiteral("control \x01 char and ? question"),
    };
    for (const QString& text : texts) {
        const QByteArray written = rtf::write(text);
        EXPECT_TRUE(rtf::looksLikeRtf(written));
        EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](char c) { return c > 0 && c < 0x7f; }))
            << text.toStdString();
        EXPECT_EQ(rtf::read(written).plainText(), text) << written.toStdString();
    }
    // Line ends of every kind come back as one '\n'.
    EXPECT_EQ(rtf::read(rtf::write(QStringLiteral("a\r\nb\rc"))).plainText(), QStringLiteral("a\nb\nc"));
}

TEST(RtfDocument, FillsParagraphsWithTheirFormats)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old"));
    rtf::fill(doc, rtf::read("{\\rtf1 plain {\\b bold} {\\i it\\line alic}\\par {\\ul under}}"));
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("plain bold it\nalic\nunder"));
    const QTextBlock first = doc.firstBlock();
    bool sawBold = false, sawItalic = false;
    for (auto it = first.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.text() == QLatin1String("bold")) sawBold = f.charFormat().fontWeight() == QFont::Bold;
        if (f.text().startsWith(QLatin1String("it"))) sawItalic = f.charFormat().fontItalic();
    }
    EXPECT_TRUE(sawBold);
    EXPECT_TRUE(sawItalic);
    EXPECT_TRUE(first.next().begin().fragment().charFormat().fontUnderline());
    EXPECT_FALSE(doc.isUndoAvailable());
}

TEST(RichTextBoxFiles, LoadsRtfFormattedOtherFilesAsTextAndRefusesWhatItCannotRead)
{
    QTemporaryDir dir;
    RichTextBox box;
    box.setText(QStringLiteral("before"));
    const QString rtfFile = dir.filePath("doc.rtf"), textFile = dir.filePath("notes.txt"),
                  western = dir.filePath("western.txt"), fifo = dir.filePath("fifo.txt"), big = dir.filePath("big.txt");
    writeFile(rtfFile, "{\\rtf1 {\\b Bold} words\\par next}");
    writeFile(textFile, QString::fromUtf8("plain {\\b not markup}\nПривет").toUtf8());
    writeFile(western, "caf\xe9 \x93q\x94");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kRichTextMaxBytes + 1));  // sparse: no time spent writing it
    }

    EXPECT_EQ(box.LoadFile(rtfFile, RichTextBox::FileKind::RtfOrText), QString());
    EXPECT_EQ(box.text(), QStringLiteral("Bold words\nnext"));
    EXPECT_EQ(box.document()->firstBlock().begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(box.LoadFile(textFile, RichTextBox::FileKind::RtfOrText), QString());
    EXPECT_EQ(box.text(), QString::fromUtf8("plain {\\b not markup}\nПривет"));
    EXPECT_EQ(box.LoadFile(western, RichTextBox::FileKind::RtfOrText), QString());
    EXPECT_EQ(box.text(), QString::fromUtf8("café “q”"));

    // Each refusal leaves the box as it was.
    box.setText(QStringLiteral("kept"));
    const struct {
        QString path;
        RichTextBox::FileKind kind;
        const char* reason;
    } refused[] = {
        {textFile, RichTextBox::FileKind::Rtf, "It is not a Rich Text Format document."},
        {dir.filePath("missing.rtf"), RichTextBox::FileKind::RtfOrText, "The file does not exist."},
        {dir.path(), RichTextBox::FileKind::RtfOrText, "It is a folder, not a file."},
        {fifo, RichTextBox::FileKind::RtfOrText, "It is a device, pipe or socket, not a file."},
        {big, RichTextBox::FileKind::RtfOrText, "It is larger than 64 MB."},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(box.LoadFile(r.path, r.kind), QLatin1String(r.reason)) << r.path.toStdString();
        EXPECT_EQ(box.text(), QStringLiteral("kept"));
    }
}

TEST(RichTextBoxFiles, SaveReplacesTheFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("list.zpf");
    RichTextBox box;
    box.setText(QString::fromUtf8("first.mp3\nzweite Datei.wav"));
    ASSERT_EQ(box.SaveFile(target), QString());
    const QByteArray saved = fileBytes(target);
    EXPECT_EQ(rtf::read(saved).plainText(), box.text());

    // A write that fails part-way (here: the file size limit, which holds for every user)
    // leaves the old file byte for byte and no temporary file beside it.
    box.setText(QString(100000, QLatin1Char('x')));
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString problem = box.SaveFile(target);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_TRUE(problem.startsWith(QLatin1String("It could not be written"))) << problem.toStdString();
    EXPECT_EQ(fileBytes(target), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.zpf"});

    // A folder that does not exist: a message, nothing written.
    EXPECT_FALSE(box.SaveFile(dir.filePath("no/such/folder.zpf")).isEmpty());
}
