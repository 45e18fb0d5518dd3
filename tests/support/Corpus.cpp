#include "support/Corpus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <random>
#include <stdexcept>
#include <sys/stat.h>

#include "support/MediaClips.h"

namespace corpus {
namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read seed " + path.toStdString());
    return f.readAll();
}

QString corpusDir()
{
    const QString dir = QFileInfo(clips::wavTone2s()).absoluteDir().filePath(QStringLiteral("corpus"));
    QDir().mkpath(dir);
    return dir;
}

// One mutation of the bytes, chosen and placed by the generator.
QString mutate(QByteArray& bytes, std::mt19937& random)
{
    const auto pick = [&random](qsizetype below) {
        return below <= 1 ? qsizetype{0} : static_cast<qsizetype>(random() % static_cast<unsigned>(below));
    };
    const qsizetype size = bytes.size();
    const qsizetype head = std::min<qsizetype>(size, 4096);
    switch (random() % 7) {
    case 0: {
        const qsizetype at = 1 + pick(size - 1);
        bytes.truncate(at);
        return QStringLiteral("cut at %1").arg(at);
    }
    case 1: {
        const int n = 1 + static_cast<int>(pick(64));
        for (int i = 0; i < n; ++i) bytes[pick(size)] = static_cast<char>(random());
        return QStringLiteral("%1 bytes changed").arg(n);
    }
    case 2: {
        const qsizetype at = pick(head), n = 1 + pick(256);
        std::fill(bytes.begin() + at, bytes.begin() + std::min(size, at + n), '\0');
        return QStringLiteral("%1 header bytes zeroed at %2").arg(n).arg(at);
    }
    case 3: {
        static const quint32 huge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x00FFFFFFu, 16000u};
        const int n = 1 + static_cast<int>(pick(8));
        for (int i = 0; i < n && head >= 4; ++i) {
            const qsizetype at = pick(head - 3);
            const quint32 v = huge[random() % 5];
            for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
        }
        return QStringLiteral("%1 header numbers made huge").arg(n);
    }
    case 4: {
        const qsizetype at = pick(size), n = 1 + pick(std::min<qsizetype>(size - at, 8192));
        bytes.insert(at, bytes.mid(at, n));
        return QStringLiteral("%1 bytes repeated at %2").arg(n).arg(at);
    }
    case 5: {
        const qsizetype n = 1 + pick(std::min<qsizetype>(size / 2, 4096));
        const qsizetype a = pick(size - n), b = pick(size - n);
        const QByteArray first = bytes.mid(a, n);
        bytes.replace(a, n, bytes.mid(b, n));
        bytes.replace(b, n, first);
        return QStringLiteral("%1 bytes swapped between %2 and %3").arg(n).arg(a).arg(b);
    }
    default: {
        const qsizetype n = 1 + pick(65536);
        QByteArray noise(n, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        bytes += noise;
        return QStringLiteral("%1 bytes of noise appended").arg(n);
    }
    }
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void makePipe(const QString& path)
{
    QFile::remove(path);
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0) throw std::runtime_error("cannot make a pipe");
}

std::vector<Input> mutateSeeds(const std::vector<std::pair<QString, QByteArray>>& seeds, int perSeed, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<Input> inputs;
    const QDir dir(corpusDir());
    for (const auto& [name, original] : seeds) {
        for (int i = 0; i < perSeed; ++i) {
            QByteArray bytes = original;
            QString description = mutate(bytes, random);
            if (random() % 3 == 0) description += ", " + mutate(bytes, random);
            const QFileInfo info(name);
            const QString path = dir.filePath(
                QStringLiteral("%1-%2-%3.%4").arg(info.completeBaseName()).arg(seed).arg(i).arg(info.suffix()));
            writeBytes(path, bytes);
            inputs.push_back({path, info.fileName() + ": " + description});
        }
    }
    return inputs;
}

}  // namespace

std::vector<Input> mutatedMedia(int perSeed, unsigned seed)
{
    const QByteArray wav = clips::wavTone2s().toUtf8();
    const QByteArray wavUrl = QUrl::fromLocalFile(clips::wavTone2s()).toEncoded();
    std::vector<std::pair<QString, QByteArray>> seeds;
    for (const QString& clip : {clips::wmvBars3s(), clips::mp3Tone90s(), clips::rmBars3s(), clips::aviBars3s(),
                                clips::wavTone2s(), clips::hugeClaimAvi()})
        seeds.emplace_back(clip, readAll(clip));
    seeds.emplace_back(QStringLiteral("list.m3u"), "#EXTM3U\n#EXTINF:2,Tone\n" + wav + "\nfd://3\n" + wav + "\n");
    seeds.emplace_back(QStringLiteral("list.pls"),
                       "[playlist]\nNumberOfEntries=2\nFile1=" + wav + "\nTitle1=Tone\nFile2=edl://x\nVersion=2\n");
    seeds.emplace_back(QStringLiteral("list.asx"), "<asx version=\"3.0\"><entry><ref href=\"" + wavUrl +
                                                       "\"/></entry><entry><ref href=\"fd://3\"/></entry></asx>\n");
    seeds.emplace_back(QStringLiteral("redirect.asf"), "[Reference]\nRef1=" + wavUrl + "\nRef2=" + wavUrl + "\n");
    return mutateSeeds(seeds, perSeed, seed);
}

std::vector<Input> mutatedRamLists(int perSeed, unsigned seed)
{
    const QByteArray rm = QUrl::fromLocalFile(clips::rmBars3s()).toEncoded();
    return mutateSeeds({{QStringLiteral("list.ram"), "# list\n" + rm + "\nfd://3\npnm://127.0.0.1:1/x.rm\n" + rm + "\n"}},
                       perSeed, seed);
}

std::vector<Input> damagedDvds(int perSeed, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<Input> inputs;
    int copy = 0;
    // A fresh copy of the disc; its VIDEO_TS folder.
    const auto fresh = [&] {
        const QString folder = QDir(corpusDir()).filePath(QStringLiteral("dvd-%1-%2").arg(seed).arg(copy++));
        QDir(folder).removeRecursively();
        return QFileInfo(clips::copyOfDvd(folder)).absoluteDir();
    };
    for (const char* base : {"VIDEO_TS", "VTS_01_0"}) {
        for (int i = 0; i < perSeed; ++i) {
            const QDir disc = fresh();
            const QString ifo = disc.filePath(QLatin1String(base) + QStringLiteral(".IFO"));
            QByteArray bytes = readAll(ifo);
            QString description = mutate(bytes, random);
            if (random() % 3 == 0) description += ", " + mutate(bytes, random);
            writeBytes(ifo, bytes);
            writeBytes(disc.filePath(QLatin1String(base) + QStringLiteral(".BUP")), bytes);
            inputs.push_back({disc.filePath(QStringLiteral("VIDEO_TS.IFO")), QStringLiteral("DVD %1.IFO: %2").arg(QLatin1String(base), description)});
        }
    }
    for (const char* file : {"VIDEO_TS.IFO", "VTS_01_0.IFO", "VTS_01_1.VOB"}) {
        const QDir disc = fresh();
        makePipe(disc.filePath(QLatin1String(file)));
        inputs.push_back({disc.filePath(QStringLiteral("VIDEO_TS.IFO")), QStringLiteral("DVD with a pipe as %1").arg(QLatin1String(file))});
    }
    for (const qsizetype keep : {qsizetype{0}, qsizetype{1500}}) {
        const QDir disc = fresh();
        for (const char* file : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"})
            writeBytes(disc.filePath(QLatin1String(file)), readAll(disc.filePath(QLatin1String(file))).left(keep));
        inputs.push_back({disc.filePath(QStringLiteral("VIDEO_TS.IFO")), QStringLiteral("DVD information cut to %1 bytes").arg(keep)});
    }
    return inputs;
}

namespace {

// A mutation of a cue sheet that keeps it looking like one: its lines moved, dropped or
// repeated, its numbers made 0 or huge.
QString mutateSheet(QByteArray& sheet, std::mt19937& random)
{
    QList<QByteArray> lines = sheet.split('\n');
    const auto pick = [&random](qsizetype below) { return static_cast<qsizetype>(random() % std::max<qsizetype>(1, below)); };
    QString what;
    switch (random() % 4) {
    case 0: {
        const qsizetype a = pick(lines.size()), b = pick(lines.size());
        lines.swapItemsAt(a, b);
        what = QStringLiteral("lines %1 and %2 swapped").arg(a).arg(b);
        break;
    }
    case 1: {
        const qsizetype a = 1 + pick(lines.size() - 1);
        lines.removeAt(a);
        what = QStringLiteral("line %1 dropped").arg(a);
        break;
    }
    case 2: {
        const qsizetype a = pick(lines.size());
        lines.insert(a, lines.at(a));
        what = QStringLiteral("line %1 repeated").arg(a);
        break;
    }
    default: {
        static const char* numbers[] = {"0", "00", "99", "999999999", "99:99:99", "-1", "74:59:74"};
        const qsizetype a = 1 + pick(lines.size() - 1);
        const char* n = numbers[random() % 7];
        static const QRegularExpression number(QStringLiteral("[0-9][0-9:]*"));
        lines[a] = QString::fromLatin1(lines.at(a)).replace(number, QLatin1String(n)).toLatin1();
        what = QStringLiteral("numbers of line %1 made %2").arg(a).arg(QLatin1String(n));
        break;
    }
    }
    sheet = lines.join('\n');
    return what;
}

}  // namespace

std::vector<Input> damagedCdDevices(int perSeed, unsigned seed)
{
    const QString sheet = clips::cdImage3Tracks();
    const QString bin = QFileInfo(sheet).absoluteDir().filePath(QStringLiteral("disc3.bin"));
    const QByteArray whole = readAll(sheet);
    // Each sheet has its track file beside it under its own name, as the CD reader wants it.
    const auto withTrackFile = [&bin](const QString& cue) {
        const QString beside = cue.left(cue.size() - 3) + QStringLiteral("bin");
        QFile::remove(beside);
        QFile::link(bin, beside);
        return cue;
    };
    std::mt19937 random(seed);
    std::vector<Input> inputs;
    const QDir dir(corpusDir());
    for (int i = 0; i < perSeed; ++i) {
        QByteArray bytes = whole;
        QString description = mutateSheet(bytes, random);
        if (random() % 2 == 0) description += ", " + mutateSheet(bytes, random);
        if (random() % 4 == 0) description += ", " + mutate(bytes, random);
        const QString path = dir.filePath(QStringLiteral("disc-%1-%2.cue").arg(seed).arg(i));
        writeBytes(path, bytes);
        inputs.push_back({withTrackFile(path), QStringLiteral("disc.cue: ") + description});
    }
    const QString folder = dir.filePath(QStringLiteral("folder.cue"));
    dir.mkpath(folder);
    inputs.push_back({folder, QStringLiteral("CD device that is a folder")});
    writeBytes(dir.filePath(QStringLiteral("empty.cue")), {});
    inputs.push_back({dir.filePath(QStringLiteral("empty.cue")), QStringLiteral("empty disc image")});
    makePipe(dir.filePath(QStringLiteral("pipe.cue")));
    inputs.push_back({dir.filePath(QStringLiteral("pipe.cue")), QStringLiteral("CD device that is a pipe")});
    makePipe(dir.filePath(QStringLiteral("piped.bin")));
    writeBytes(dir.filePath(QStringLiteral("piped.cue")), whole);
    inputs.push_back({dir.filePath(QStringLiteral("piped.cue")), QStringLiteral("cue sheet with a pipe as its track file")});
    return inputs;
}

std::vector<Input> hostileNames()
{
    const QString dir = corpusDir() + QStringLiteral("/names");
    QDir().mkpath(dir);
    const QString pipe = dir + QStringLiteral("/pipe.mp3");
    if (!QFileInfo::exists(pipe) && ::mkfifo(QFile::encodeName(pipe).constData(), 0600) != 0)
        throw std::runtime_error("cannot make a pipe");
    const auto named = [](const QString& path, const char* what) { return Input{path, QString::fromLatin1(what)}; };
    return {named(QStringLiteral("/nowhere/clip.mp4"), "a missing file"), named(pipe, "a pipe"), named(dir, "a folder"),
            named(QStringLiteral("/dev/null"), "a device"), named(dir + QStringLiteral("/new\nline.mp3"), "a line break"),
            named(dir + QLatin1Char('/') + QString(100000, QLatin1Char('x')), "a name of 100 KB"),
            named(QStringLiteral("file://otherhost/etc/passwd"), "another computer's file"),
            named(QStringLiteral("edl://%10%/etc/passwd"), "an engine source"), named(QStringLiteral("av://lavfi:sine"), "a device"),
            named(QStringLiteral("fd://0"), "a file descriptor"), named(QStringLiteral("http://[::1"), "a broken address"),
            named(QStringLiteral("relative/missing.mp3"), "a relative name")};
}

}  // namespace corpus
