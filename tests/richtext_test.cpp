#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>

#include "richtext/RichTextBox.h"
#include "richtext/Rtf.h"
#include "support/TestApp.h"
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

// The text a box shows: paragraphs (a line break starts a new one) with their formatted
// stretches, and paragraphs longer than the bound cut into blocks that join up again.
TEST(RichTextContent, KeepsParagraphsWithTheirFormatsAndCutsLongOnesAtTheBound)
{
    using richtext::Content;
    const Content doc = Content::fromDocument(rtf::read("{\\rtf1 plain {\\b bold} {\\i it\\line alic}\\par {\\ul under}}"));
    ASSERT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.plainText(), QStringLiteral("plain bold it\nalic\nunder"));
    const auto described = [&doc](int block) {
        QStringList out;
        for (const Content::Span& s : doc.formats(block))
            out << QStringLiteral("%1%2%3:%4").arg(s.format.bold ? "b" : "", s.format.italic ? "i" : "", s.format.underline ? "u" : "")
                       .arg(doc.block(block).mid(s.start, s.length).toString());
        return out;
    };
    EXPECT_EQ(described(0), (QStringList{"b:bold", "i:it"}));
    EXPECT_EQ(described(1), (QStringList{"i:alic"}));
    EXPECT_EQ(described(2), (QStringList{"u:under"}));

    // A megabyte on one line, formatted in the middle: blocks at the bound, cut after blanks,
    // never inside a character, the format carried over the cut, the text whole again.
    QString line;
    for (int i = 0; line.size() < 1024 * 1024; ++i) line += QStringLiteral("word%1 \U0001F600").arg(i);
    rtf::Document big;
    big.paragraphs.push_back({{{line.left(5000), {}}, {line.mid(5000, 10000), {true, false, false}}, {line.mid(15000), {}}}});
    const Content cut = Content::fromDocument(big);
    EXPECT_GT(cut.blockCount(), line.size() / Content::kMaxBlockChars);
    qsizetype boldChars = 0;
    for (int b = 0; b < cut.blockCount(); ++b) {
        EXPECT_LE(cut.block(b).size(), Content::kMaxBlockChars);
        EXPECT_EQ(cut.continuesPrevious(b), b > 0);
        EXPECT_FALSE(cut.block(b).back().isHighSurrogate()) << b;
        for (const Content::Span& s : cut.formats(b)) boldChars += s.length;
    }
    EXPECT_EQ(boldChars, 10000);
    EXPECT_EQ(cut.plainText(), line);
    // With no blank to cut after, the cut still never parts a character's two halves.
    const QString noBlanks = QStringLiteral("a") + QStringLiteral("\U0001F600").repeated(5000);
    const Content faces = Content::fromPlainText(noBlanks);
    EXPECT_FALSE(faces.block(0).back().isHighSurrogate());
    EXPECT_EQ(faces.plainText(), noBlanks);
    EXPECT_EQ(cut.paragraphCount(), 1);
    EXPECT_EQ(cut.text(1, 2), cut.block(1).toString() + cut.block(2).toString());
    // Offsets as screen readers count them: a line break between paragraphs, none in a cut.
    const Content two = Content::fromPlainText(line.left(9000) + QStringLiteral("\nnext"));
    const int next = two.blockCount() - 1;
    EXPECT_EQ(two.plainStart(next), 9001);
    EXPECT_EQ(two.blockAtPlain(9000), next - 1);  // the line break belongs to the block before it
    EXPECT_EQ(two.blockAtPlain(4100), 1);
    EXPECT_EQ(two.plainLength(), 9005);
    EXPECT_EQ(two.paragraphBlocks(1), std::pair(0, next - 1));

    // Plain text: every kind of line end; control characters shown by their symbols.
    const Content text = Content::fromPlainText(QString::fromUtf8("a\r\nb\rc\n\tNUL\x01\x7F\n"));
    EXPECT_EQ(text.blockCount(), 5);  // the last line is empty
    EXPECT_EQ(text.plainText(), QString::fromUtf8("a\nb\nc\n\tNUL\u2401\u2421\n"));
    EXPECT_EQ(Content::fromPlainText(QString(8 * 1024 * 1024, QChar(0))).block(0), QString(Content::kMaxBlockChars, QChar(0x2400)));
    EXPECT_EQ(Content::fromPlainText({}).blockCount(), 0);
}

TEST(RichTextBoxFiles, LoadsRtfFormattedOtherFilesAsTextAndRefusesWhatItCannotRead)
{
    QTemporaryDir dir;
    const QString rtfFile = dir.filePath("doc.rtf"), textFile = dir.filePath("notes.txt"),
                  western = dir.filePath("western.txt"), fifo = dir.filePath("fifo.txt"), big = dir.filePath("big.txt");
    writeFile(rtfFile, "{\\rtf1 {\\b Bold} words\\par next}");
    writeFile(textFile, QString::fromUtf8("plain {\\b not markup}\nПривет").toUtf8());
    writeFile(western, "caf\xe9 \x93q\x94");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(richtext::kMaxFileBytes + 1));  // sparse: no time spent writing it
    }
    const auto textOf = [](const QString& path) {
        const richtext::Loaded loaded = richtext::load(path, richtext::FileKind::RtfOrText);
        return loaded.content ? loaded.content->plainText() : loaded.problem;
    };
    EXPECT_EQ(textOf(rtfFile), QStringLiteral("Bold words\nnext"));
    EXPECT_EQ(richtext::load(rtfFile, richtext::FileKind::Rtf).content->formats(0).at(0).format.bold, true);
    EXPECT_EQ(textOf(textFile), QString::fromUtf8("plain {\\b not markup}\nПривет"));
    EXPECT_EQ(textOf(western), QString::fromUtf8("café “q”"));

    const struct {
        QString path;
        richtext::FileKind kind;
        const char* reason;
    } refused[] = {
        {textFile, richtext::FileKind::Rtf, "It is not a Rich Text Format document."},
        {dir.filePath("missing.rtf"), richtext::FileKind::RtfOrText, "The file does not exist."},
        {dir.path(), richtext::FileKind::RtfOrText, "It is a folder, not a file."},
        {fifo, richtext::FileKind::RtfOrText, "It is a device, pipe or socket, not a file."},
        {big, richtext::FileKind::RtfOrText, "It is larger than 64 MB."},
    };
    for (const auto& r : refused) EXPECT_EQ(richtext::load(r.path, r.kind).problem, QLatin1String(r.reason)) << r.path.toStdString();

    // Limits stop reading at the first line too long or the first line too many.
    writeFile(dir.filePath("rows.rtf"), "{\\rtf1 a\\par b\\par c\\par d\\par e\\par}");
    EXPECT_EQ(richtext::load(dir.filePath("rows.rtf"), richtext::FileKind::Rtf, {3, 0}).problem,
              QStringLiteral("It has more than 3 lines."));
    EXPECT_EQ(richtext::load(dir.filePath("rows.rtf"), richtext::FileKind::Rtf, {5, 0}).problem, QString());
    writeFile(dir.filePath("long.rtf"), "{\\rtf1 short\\par " + QByteArray(5000, 'x') + "\\par}");
    EXPECT_EQ(richtext::load(dir.filePath("long.rtf"), richtext::FileKind::Rtf, {0, 4096}).problem,
              QStringLiteral("It has a line longer than 4096 characters."));

    // The box loads off the UI thread: a load shows its file, a failed one leaves the box as
    // it was, and of two loads one after the other only the second ends.
    RichTextBox box;
    box.setText(QStringLiteral("kept"));
    QStringList ended;
    box.LoadFile(fifo, richtext::FileKind::RtfOrText, [&](const QString& p) { ended << p; });
    ASSERT_TRUE(waitFor([&] { return !box.isLoading(); }));
    EXPECT_EQ(ended, QStringList{"It is a device, pipe or socket, not a file."});
    EXPECT_EQ(box.text(), QStringLiteral("kept"));
    ended.clear();
    box.LoadFile(big, richtext::FileKind::RtfOrText, [&](const QString& p) { ended << "first " + p; });
    box.LoadFile(rtfFile, richtext::FileKind::RtfOrText, [&](const QString& p) { ended << "second " + p; });
    ASSERT_TRUE(waitFor([&] { return !box.isLoading(); }));
    settle();
    EXPECT_EQ(ended, QStringList{"second "});
    EXPECT_EQ(box.text(), QStringLiteral("Bold words\nnext"));
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
    EXPECT_EQ(problem, QStringLiteral("The file would be larger than the system allows."));
    EXPECT_EQ(fileBytes(target), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.zpf"});

    // In the user's words: a folder that does not exist, a folder's name, a disc that
    // cannot be written.
    EXPECT_EQ(box.SaveFile(dir.filePath("no/such/folder.zpf")), QStringLiteral("The folder does not exist."));
    QDir(dir.path()).mkdir(QStringLiteral("named.zpf"));
    EXPECT_EQ(box.SaveFile(dir.filePath("named.zpf")), QStringLiteral("It is a folder."));
    EXPECT_EQ(box.SaveFile(QStringLiteral("/proc/list.zpf")), QStringLiteral("The folder does not exist."));
}

// A disc that fills up while the playlist is written: said as such, the old file kept.
TEST(RichTextBoxFiles, SavingOntoAFullDiscSaysSo)
{
    QTemporaryDir dir;
    const QString disc = dir.filePath("disc");
    QDir().mkpath(disc);
    if (::mount("tmpfs", QFile::encodeName(disc).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small disc cannot be mounted here (needs root): " << std::strerror(errno);
    const QString target = disc + QStringLiteral("/list.zpf");
    RichTextBox box;
    box.setText(QStringLiteral("old.mp3"));
    ASSERT_EQ(box.SaveFile(target), QString());
    box.setText(QString(200000, QLatin1Char('x')));
    const QString problem = box.SaveFile(target);
    EXPECT_EQ(rtf::read(fileBytes(target)).plainText(), QStringLiteral("old.mp3"));
    ::umount(QFile::encodeName(disc).constData());
    EXPECT_EQ(problem, QStringLiteral("The disk is full."));
}

// Documents of the shapes that once held the windows for minutes: each is shown, cut into
// blocks at the bound, or refused, and the box stays usable.
TEST(LongDocuments, EveryShapeIsShownInBlocksOrRefused)
{
    QTemporaryDir dir;
    QByteArray oneLine;
    for (int i = 0; oneLine.size() < 1024 * 1024; ++i) oneLine += "word" + QByteArray::number(i) + ' ';
    writeFile(dir.filePath("one-line.txt"), oneLine);
    writeFile(dir.filePath("nul.txt"), QByteArray(8 * 1024 * 1024, '\0'));
    writeFile(dir.filePath("one-line.rtf"), "{\\rtf1 {\\b " + oneLine + "}}");
    QByteArray deep = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i) deep += "{\\b ";
    writeFile(dir.filePath("deep.rtf"), deep + "text");

    RichTextBox box;
    box.resize(400, 300);
    box.show();
    const struct {
        const char* name;
        int blocksAtLeast;
    } shapes[] = {{"one-line.txt", 256}, {"nul.txt", 2048}, {"one-line.rtf", 256}, {"deep.rtf", 1}};
    for (const auto& shape : shapes) {
        QString problem = QStringLiteral("not ended");
        box.LoadFile(dir.filePath(shape.name), richtext::FileKind::RtfOrText, [&](const QString& p) { problem = p; });
        ASSERT_TRUE(waitFor([&] { return !box.isLoading(); }, 30000)) << shape.name;
        EXPECT_EQ(problem, QString()) << shape.name;
        EXPECT_GE(box.content().blockCount(), shape.blocksAtLeast) << shape.name;
        for (int b = 0; b < box.content().blockCount(); ++b) ASSERT_LE(box.content().block(b).size(), richtext::Content::kMaxBlockChars);
        // Scrolled to the end and painted: only the blocks shown are laid out.
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
        box.repaint();
        box.selectAll();
        EXPECT_EQ(box.selectedText().size(), box.text().size()) << shape.name;
    }
}

// The box as hands and screen readers use it: the keys move the caret by a line, a page, to a
// line's ends and by characters (Shift selects), small wheel steps add up, a double click takes
// a word and a triple click a paragraph, and the text interface reads what the caret is on.
TEST(RichTextBoxUse, KeysWheelClicksAndTheTextScreenReadersRead)
{
    RichTextBox box;
    box.resize(300, 200);
    box.show();
    QStringList lines;
    for (int i = 0; i < 100; ++i) lines << QStringLiteral("line %1 of the text").arg(i);
    box.setText(lines.join(QLatin1Char('\n')));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->characterCount(), box.text().size());
    const auto lineAt = [text](int offset) {
        int start = 0, end = 0;
        return text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
    };
    const auto caretLine = [&] { return lineAt(text->cursorPosition()); };
    const auto topLine = [&] { return lineAt(static_cast<int>(box.offsetAt(QPoint(5, 5)))); };
    const int page = box.viewport()->height() / box.fontMetrics().lineSpacing() - 1;

    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(caretLine(), lines[1]);
    QTest::keyClick(&box, Qt::Key_PageDown);
    EXPECT_EQ(caretLine(), lines[1 + page]);
    EXPECT_EQ(topLine(), lines[page]);
    QTest::keyClick(&box, Qt::Key_End, Qt::ShiftModifier);
    for (int i = 0; i < 5; ++i) QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box.selectedText(), QStringLiteral("line %1 of the").arg(1 + page));
    int start = 0, end = 0;
    text->selection(0, &start, &end);
    EXPECT_EQ(text->text(start, end), box.selectedText());
    QTest::keyClick(&box, Qt::Key_Up, Qt::ShiftModifier);  // to the line above, in the same column
    EXPECT_EQ(box.selectedText(), QStringLiteral(" text\n"));
    QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(text->selectionCount(), 0);
    EXPECT_EQ(text->cursorPosition(), 0);

    // A touchpad's small steps: nothing until they make a turn of the wheel, then its lines.
    const auto wheel = [&](QPoint pixels, QPoint angle) {
        QWheelEvent e(QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)), pixels, angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box.viewport(), &e);
    };
    const int turn = QApplication::wheelScrollLines();
    wheel({}, QPoint(0, -15));
    EXPECT_EQ(topLine(), lines[0]);
    for (int i = 1; i < 8; ++i) wheel({}, QPoint(0, -15));
    EXPECT_EQ(topLine(), lines[turn]);
    wheel(QPoint(0, 2 * box.fontMetrics().lineSpacing()), {});
    EXPECT_EQ(topLine(), lines[turn - 2]);

    // Words and paragraphs by the mouse; what the caret stands in, word by word.
    const QPoint onSecondWord = box.characterRect(box.offsetAt(QPoint(5, 5)) + 7).center();  // "line 1 |of"
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, onSecondWord);
    EXPECT_EQ(box.selectedText(), QStringLiteral("of"));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, onSecondWord);
    EXPECT_EQ(box.selectedText(), lines[turn - 2]);
    EXPECT_EQ(text->textAtOffset(5, QAccessible::WordBoundary, &start, &end), QStringLiteral("0"));
    EXPECT_EQ(text->textAfterOffset(5, QAccessible::WordBoundary, &start, &end), QStringLiteral(" "));
    EXPECT_EQ(text->textBeforeOffset(lines[0].size() + 1, QAccessible::LineBoundary, &start, &end), QStringLiteral("\n"));

    // Right to left, the lines stand at the right.
    box.scrollTo(0);
    EXPECT_LT(box.characterRect(0).left(), box.viewport()->width() / 2);
    box.setLayoutDirection(Qt::RightToLeft);
    EXPECT_GT(box.characterRect(0).left(), box.viewport()->width() / 2);
}
