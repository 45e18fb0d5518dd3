#include "support/Corpus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <random>
#include <stdexcept>

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
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
                throw std::runtime_error("cannot write " + path.toStdString());
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

}  // namespace corpus
