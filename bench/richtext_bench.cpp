// Documents of every shape in the text viewer and the playlist: how long until each is shown (or
// refused), and the longest the UI thread went without turning its event loop meanwhile. Each
// time is set beside an anchor run in the same process: the least work that shows the same file
// (its bytes read and decoded; for a playlist, its rows put into a list).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "BenchSupport.h"
#include "playlist/Form2.h"
#include "richtext/RichTextBox.h"
#include "richtext/Rtf.h"
#include "tools/Form3.h"

namespace {

// Every dialog answers with the file set here.
class FixedDialogs : public forms::FileDialogs {
public:
    QString answer;
    forms::FileDialogResult run(QWidget*, const forms::FileDialogRequest&) override
    {
        return {false, answer, answer.section(QLatin1Char('/'), -1)};
    }
};

// Messages are counted: a refusal is an answer too.
class CountingMessages : public forms::MessageBoxes {
public:
    int shown = 0;
    QString last;
    void show(QWidget*, const QString& text, const QString&) override
    {
        ++shown;
        last = text;
    }
    void tell(QWidget* owner, const QString& text, const QString& title) override { show(owner, text, title); }
};

// The longest stretch the UI thread spent away from its event loop, from ticks of a 1 ms timer.
class BlockMeter {
public:
    BlockMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
    }
    void start()
    {
        longest_ = 0;
        since_.start();
        timer_.start(1);
    }
    qint64 stop()
    {
        timer_.stop();
        return std::max(longest_, since_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// About 5 MB of RTF as word processors write it: a font table, formatted words, Unicode
// letters with their fallback, one paragraph a line.
QByteArray fiveMegabyteDocument()
{
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                     "{\\colortbl;\\red255\\green0\\blue0;}\\uc1\\pard\\f0\\fs20 ";
    for (int line = 0; doc.size() < 5 * 1024 * 1024; ++line) {
        doc += "Line " + QByteArray::number(line) + " of the document: {\\b bold words} then {\\i italic} and "
               "{\\ul underlined}, caf\\u233?s and \\u1055?\\u1088?\\u1080? letters, \\'93quoted\\'94.\\par\n";
    }
    return doc + "}";
}

QStringList names(int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) list << QStringLiteral("Clip number %1 - Artist name - Song title.mp3").arg(i);
    return list;
}

// The least work that shows a file: read it and decode it.
double anchorRead(const QString& path)
{
    QElapsedTimer t;
    t.start();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QString text = QStringDecoder(QStringDecoder::Utf8).decode(f.readAll());
    return t.nsecsElapsed() / 1e6 + (text.isEmpty() ? 0 : 0);
}

struct Figure {
    double ms;
    qint64 longestBlockMs;
};

// Starts a load and runs the event loop until it is shown (first paint included) or refused.
Figure measure(const std::function<void()>& start, const std::function<bool()>& ended)
{
    BlockMeter meter;
    QElapsedTimer t;
    meter.start();
    t.start();
    start();
    bench::spinUntil(ended, 120000);
    QCoreApplication::processEvents();  // the first paint
    const double ms = t.nsecsElapsed() / 1e6;
    return {ms, meter.stop()};
}

void report(const char* what, const Figure& f, const char* anchorWhat, double anchorMs, const QString& outcome)
{
    std::printf("%-46s %8.1f ms (UI longest block %4lld ms)   anchor (%s) %7.1f ms   %s\n", what, f.ms,
                static_cast<long long>(f.longestBlockMs), anchorWhat, anchorMs, qPrintable(outcome));
}

}  // namespace

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);

    MpvEngineFactory engines(MpvOptions{QStringLiteral("null"), {}});  // no core is started here
    CountingMessages messages;
    FixedDialogs dialogs;
    Application app(engines, messages, dialogs);
    QTemporaryDir dir;

    // Files of every shape.
    const QString rtf5 = dir.filePath("big.rtf"), oneLine = dir.filePath("one-line.txt"), nul = dir.filePath("nul.txt"),
                  longPlaylist = dir.filePath("one-line.zpf"), manyRows = dir.filePath("many-rows.zpf");
    writeFile(rtf5, fiveMegabyteDocument());
    {
        QByteArray line;
        for (int i = 0; line.size() < 1024 * 1024; ++i) line += "word" + QByteArray::number(i) + ' ';
        writeFile(oneLine, line);
    }
    writeFile(nul, QByteArray(8 * 1024 * 1024, '\0'));
    const QString manyLines = dir.filePath("many-lines.txt");
    {
        QByteArray text;
        text.reserve(60 * 1024 * 1024 + 64);
        for (int i = 0; text.size() < 60 * 1024 * 1024; ++i) text += "line " + QByteArray::number(i) + " of a long log\n";
        writeFile(manyLines, text);
    }
    {
        QByteArray doc = "{\\rtf1\\ansi ";
        doc.reserve(60 * 1024 * 1024 + 16);
        while (doc.size() < 60 * 1024 * 1024) doc += "a-very-long-name-without-end ";
        writeFile(longPlaylist, doc + "}");
    }
    {
        QByteArray doc = "{\\rtf1\\ansi ";
        for (int i = 0; i < 3'100'000; ++i) doc += "c" + QByteArray::number(i) + ".mp3\\par\n";
        writeFile(manyRows, doc + "}");
    }

    Form3& viewer = app.forms().get<Form3>();
    viewer.Show();
    const auto viewerLoad = [&](const QString& path) {
        const int before = messages.shown;
        return measure(
            [&] {
                dialogs.answer = path;
                viewer.Open->trigger();
            },
            [&] { return !viewer.RichTextBox1->isLoading() || messages.shown > before; });
    };
    const auto viewerOutcome = [&](int before) {
        return messages.shown > before ? QStringLiteral("refused: ") + messages.last
                                       : QStringLiteral("shown, %1 blocks").arg(viewer.RichTextBox1->content().blockCount());
    };
    for (const auto& [label, path] : {std::pair{"5 MB RTF into the text viewer", rtf5},
                                      std::pair{"1 MB on one line into the text viewer", oneLine},
                                      std::pair{"8 MB of NUL bytes into the text viewer", nul},
                                      std::pair{"60 MB of short lines into the text viewer", manyLines}}) {
        const int before = messages.shown;
        const Figure f = viewerLoad(path);
        report(label, f, "read and decoded", anchorRead(path), viewerOutcome(before));
    }

    Form2& playlist = app.forms().get<Form2>();
    playlist.Show();
    const auto playlistLoad = [&](const QString& path) {
        const int before = messages.shown;
        const Figure f = measure(
            [&] {
                dialogs.answer = path;
                playlist.Command5->click();
            },
            [&] { return !playlist.RichTextBox1->isLoading() || messages.shown > before; });
        const QString outcome = messages.shown > before ? QStringLiteral("refused: ") + messages.last
                                                        : QStringLiteral("%1 rows").arg(playlist.List1->count());
        return std::pair{f, outcome};
    };
    for (const auto& [label, path] : {std::pair{"60 MB playlist on one line", longPlaylist},
                                      std::pair{"3.1 million-row playlist", manyRows},
                                      std::pair{"5 MB RTF loaded as a playlist", rtf5}}) {
        const auto [f, outcome] = playlistLoad(path);
        report(label, f, "read and decoded", anchorRead(path), outcome);
    }
    playlist.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // 50,000 rows saved and loaded.
    const QStringList rows = names(50000);
    Form2& fresh = app.forms().get<Form2>();
    fresh.Show();
    fresh.addRows(rows);
    const QString saved = dir.filePath("rows.zpf");
    dialogs.answer = saved;
    QElapsedTimer t;
    t.start();
    fresh.Command4->click();
    const double saveMs = t.nsecsElapsed() / 1e6;
    const QByteArray bytes = rows.join(QLatin1Char('\n')).toUtf8();
    t.restart();
    {
        QSaveFile f(dir.filePath("anchor.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    }
    std::printf("%-46s %8.1f ms   anchor (the names written as text) %7.1f ms\n", "50,000-row playlist saved", saveMs,
                t.nsecsElapsed() / 1e6);
    const int before = messages.shown;
    const Figure loaded = measure(
        [&] {
            dialogs.answer = saved;
            fresh.Command5->click();
        },
        [&] { return !fresh.RichTextBox1->isLoading(); });
    QListWidget anchorRows;
    anchorRows.setUniformItemSizes(true);
    anchorRows.show();
    t.restart();
    anchorRows.addItems(rows);
    QCoreApplication::processEvents();
    report("50,000-row playlist loaded", loaded, "the names into a list", t.nsecsElapsed() / 1e6,
           messages.shown > before ? messages.last : QStringLiteral("%1 rows").arg(fresh.List1->count()));
    std::printf("peak resident memory %.0f MiB\n", bench::peakResidentMiB());
    return 0;
}
