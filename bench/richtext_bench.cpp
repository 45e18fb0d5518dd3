// Rich text at size: a 5 MB RTF document loaded into the text viewer and as a playlist, and a
// 50,000-row playlist saved and loaded. Each figure is set beside an anchor run in the same
// process: Qt alone doing the nearest plain work (the same text put into a text box, the same
// rows into a list, the same bytes written to a file).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <clocale>
#include <cstdio>

#include "BenchSupport.h"
#include "forms/Controls.h"
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

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

void report(const char* what, double ms, const char* anchorWhat, double anchorMs)
{
    std::printf("%-44s %8.1f ms   anchor (%s) %8.1f ms   ratio %5.2f\n", what, ms, anchorWhat, anchorMs,
                anchorMs > 0 ? ms / anchorMs : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);

    MpvEngineFactory engines(MpvOptions{QStringLiteral("null"), {}});  // no core is started here
    bench::SilentMessages messages;
    FixedDialogs dialogs;
    Application app(engines, messages, dialogs);
    QTemporaryDir dir;

    // The text viewer and the playlist, each given the 5 MB document.
    const QString big = dir.filePath("big.rtf");
    {
        QFile f(big);
        f.open(QIODevice::WriteOnly);
        f.write(fiveMegabyteDocument());
    }
    const QString bigText = rtf::read(fiveMegabyteDocument()).plainText();
    std::printf("document: %.1f MB of RTF, %lld characters of text\n", QFileInfo(big).size() / 1048576.0,
                static_cast<long long>(bigText.size()));

    Form3& viewer = app.forms().get<Form3>();
    viewer.Show();
    dialogs.answer = big;
    QElapsedTimer t;
    t.start();
    viewer.Open->trigger();
    QCoreApplication::processEvents();  // the first paint
    const double viewerMs = msSince(t);
    QTextEdit anchorBox;
    anchorBox.show();
    t.restart();
    anchorBox.setPlainText(bigText);
    QCoreApplication::processEvents();
    report("5 MB RTF into the text viewer", viewerMs, "its text into a QTextEdit", msSince(t));

    Form2& playlist = app.forms().get<Form2>();
    playlist.Show();
    t.restart();
    playlist.Command5->click();
    QCoreApplication::processEvents();
    const double playlistMs = msSince(t);
    QListWidget anchorList;
    anchorList.setUniformItemSizes(true);
    anchorList.show();
    t.restart();
    anchorList.addItems(bigText.split(QLatin1Char('\n')));
    QCoreApplication::processEvents();
    report("5 MB RTF loaded as a playlist", playlistMs, "its lines into a list", msSince(t));
    playlist.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // 50,000 rows saved and loaded.
    const QStringList rows = names(50000);
    Form2& fresh = app.forms().get<Form2>();
    fresh.Show();
    fresh.RichTextBox1->setText(rows.join(QLatin1Char('\n')));
    const QString saved = dir.filePath("rows.zpf");
    dialogs.answer = saved;
    t.restart();
    fresh.Command4->click();
    const double saveMs = msSince(t);
    const QByteArray bytes = rows.join(QLatin1Char('\n')).toUtf8();
    t.restart();
    {
        QSaveFile f(dir.filePath("anchor.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    }
    report("50,000-row playlist saved", saveMs, "the names written as text", msSince(t));

    t.restart();
    fresh.Command5->click();
    QCoreApplication::processEvents();
    const double loadMs = msSince(t);
    if (fresh.List1->count() != rows.size()) std::printf("loaded %d rows, expected %lld\n", fresh.List1->count(),
                                                         static_cast<long long>(rows.size()));
    QListWidget anchorRows;
    anchorRows.setUniformItemSizes(true);
    anchorRows.show();
    t.restart();
    anchorRows.addItems(rows);
    QCoreApplication::processEvents();
    report("50,000-row playlist loaded", loadMs, "the names into a list", msSince(t));
    std::printf("peak resident memory %.0f MiB\n", bench::peakResidentMiB());
    return 0;
}
