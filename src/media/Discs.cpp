#include "media/Discs.h"

#include <array>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "media/DvdIfo.h"
#include "platform/FileNames.h"
#include "platform/LocalFile.h"

namespace discs {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("discs", text); }

constexpr qint64 kMaxSheetBytes = 1024 * 1024;     // a cue sheet or TOC file is text of a few KB
constexpr qint64 kMaxIfoBytes = 16 * 1024 * 1024;  // a DVD's information files are far smaller

// Why the file is not a regular, readable file with something in it; empty when it is.
QString regularFileProblem(const QString& path)
{
    struct stat st {};
    const QByteArray encoded = platform::encodeFileName(path);
    if (::stat(encoded.constData(), &st) != 0) return platform::openProblem(errno);
    if (const QString problem = platform::fileProblem(st); !problem.isEmpty()) return problem;
    if (st.st_size == 0) return tr("It is empty.");
    if (::access(encoded.constData(), R_OK) != 0) return platform::openProblem(errno);
    return {};
}

// The name the CD reader gives a cue sheet's track file, and a track file's cue sheet: the same
// name with the other extension, in the same case ("disc.cue" and "disc.bin", "DISC.CUE" and
// "DISC.BIN"), whatever the sheet's FILE lines say.
QString companion(const QString& image, bool toBin)
{
    const QString suffix = image.right(3);
    const QString other = toBin ? QStringLiteral("bin") : QStringLiteral("cue");
    return image.left(image.size() - 3) + (suffix == suffix.toUpper() ? other.toUpper() : other);
}

// A cue sheet (with its track file beside it) or a TOC file (with the track files it names).
QString sheetProblem(const QString& sheet, bool toc)
{
    const platform::LocalFile file = platform::readLocalFile(sheet, kMaxSheetBytes);
    if (!file.problem.isEmpty()) return file.problem;
    if (!file.complete) return tr("It is too large to be a disc image's cue sheet.");
    static const QRegularExpression trackLine(QStringLiteral("^\\s*TRACK\\s"),
                                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QString text = QString::fromUtf8(file.data);
    if (!trackLine.match(text).hasMatch()) return tr("The disc image has no tracks.");
    const auto trackFileProblem = [](const QString& path, const QString& name) {
        const QString problem = regularFileProblem(path);
        return problem.isEmpty() ? problem : tr("Its track file \"%1\" cannot be read. %2").arg(name, problem);
    };
    if (!toc) return trackFileProblem(companion(sheet, true), QFileInfo(companion(sheet, true)).fileName());
    static const QRegularExpression fileLine(QStringLiteral("^\\s*(?:FILE|AUDIOFILE|DATAFILE)\\s+(?:\"([^\"]*)\"|(\\S+))"),
                                             QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QDir folder = QFileInfo(sheet).absoluteDir();
    int named = 0;
    for (auto it = fileLine.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1).isNull() ? m.captured(2) : m.captured(1);
        if (const QString problem = trackFileProblem(folder.absoluteFilePath(name), name); !problem.isEmpty()) return problem;
        ++named;
    }
    return named > 0 ? QString() : tr("The disc image names no track file.");
}

}  // namespace

QString cdDeviceProblem(const QString& device)
{
    const auto noDrive = [&device](const QString& why) {
        return why.isEmpty() ? tr("There is no CD drive (%1).").arg(device) : tr("There is no CD drive (%1). %2").arg(device, why);
    };
    // Looked at without opening it: a drive node answers stat at once, disc or not.
    struct stat st {};
    if (::stat(platform::encodeFileName(device).constData(), &st) != 0) return noDrive({});
    if (S_ISBLK(st.st_mode)) return {};
    if (!S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return noDrive(tr("It is a folder."));
        return noDrive(tr("It is a pipe, socket or device, not a drive."));
    }
    const QString suffix = QFileInfo(device).suffix().toLower();
    if (suffix != QLatin1String("cue") && suffix != QLatin1String("bin") && suffix != QLatin1String("toc"))
        return noDrive(tr("It is neither a drive nor a disc image (.cue, .bin, .toc)."));
    if (const QString problem = regularFileProblem(device); !problem.isEmpty()) return noDrive(problem);
    // A track file is read through the cue sheet beside it.
    const QString sheet = suffix == QLatin1String("bin") ? companion(device, false) : device;
    if (sheet != device) {
        if (const QString problem = regularFileProblem(sheet); !problem.isEmpty())
            return noDrive(tr("Its cue sheet \"%1\" cannot be read. %2").arg(QFileInfo(sheet).fileName(), problem));
    }
    if (const QString problem = sheetProblem(sheet, suffix == QLatin1String("toc")); !problem.isEmpty()) return noDrive(problem);
    return {};
}

bool isCdDrive(const QString& device)
{
    struct stat st {};
    return ::stat(platform::encodeFileName(device).constData(), &st) == 0 && S_ISBLK(st.st_mode);
}

namespace {

// The state of a drive, by its own report.
CdLook lookAtDrive(const QString& device)
{
    const QByteArray encoded = platform::encodeFileName(device);
    const int fd = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {CdLook::State::NoDrive, tr("The CD drive (%1) cannot be used. %2").arg(device, platform::openProblem(errno)), {}};
    CdLook look;
    look.state = CdLook::State::NoDisc;
    switch (::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT)) {
    case CDS_DISC_OK: {
        const int kind = ::ioctl(fd, CDROM_DISC_STATUS, 0);
        cdrom_tochdr header {};
        cdrom_tocentry leadOut {};
        leadOut.cdte_track = CDROM_LEADOUT;
        leadOut.cdte_format = CDROM_LBA;
        if (kind != CDS_AUDIO && kind != CDS_MIXED) {
            look.problem = tr("The disc in the drive is not an audio CD.");
        } else if (::ioctl(fd, CDROMREADTOCHDR, &header) != 0 || ::ioctl(fd, CDROMREADTOCENTRY, &leadOut) != 0) {
            look.problem = tr("The disc in the drive cannot be read.");
        } else {
            look.state = CdLook::State::Disc;
            look.identity = "cd:" + QByteArray::number(header.cdth_trk0) + '-' + QByteArray::number(header.cdth_trk1) + '-' +
                            QByteArray::number(leadOut.cdte_addr.lba);
        }
        break;
    }
    case CDS_TRAY_OPEN: look.problem = tr("The drive's tray is open."); break;
    case CDS_DRIVE_NOT_READY: look.problem = tr("The drive is not ready yet."); break;
    case -1: look = {CdLook::State::NoDrive, tr("There is no CD drive (%1). It is not a CD drive.").arg(device), {}}; break;
    default: look.problem = tr("There is no audio CD in the drive."); break;
    }
    ::close(fd);
    return look;
}

// A file's identity: which file it is and how it stands.
QByteArray fileIdentity(const QString& path)
{
    struct stat st {};
    if (::stat(platform::encodeFileName(path).constData(), &st) != 0) return "-";
    return QByteArray::number(static_cast<qulonglong>(st.st_dev)) + ':' + QByteArray::number(static_cast<qulonglong>(st.st_ino)) +
           ':' + QByteArray::number(static_cast<qlonglong>(st.st_size)) + ':' +
           QByteArray::number(static_cast<qlonglong>(st.st_mtim.tv_sec)) + '.' + QByteArray::number(static_cast<qlonglong>(st.st_mtim.tv_nsec));
}

bool isImageName(const QString& device)
{
    const QString suffix = QFileInfo(device).suffix().toLower();
    return suffix == QLatin1String("cue") || suffix == QLatin1String("bin") || suffix == QLatin1String("toc");
}

}  // namespace

CdLook lookAtCdDevice(const QString& device, const CdLook& previous)
{
    if (isCdDrive(device)) return lookAtDrive(device);
    struct stat st {};
    // A disc image that is not there is a drive without a disc: "inserting" is the file coming.
    if (::stat(platform::encodeFileName(device).constData(), &st) != 0 && isImageName(device))
        return {CdLook::State::NoDisc, tr("There is no audio CD in the drive (no disc image at %1).").arg(device), {}};
    // An image whose files have not changed since the last look is what it was then: its sheet
    // is not read again.
    const QString suffix = QFileInfo(device).suffix().toLower();
    QByteArray identity = fileIdentity(device);
    if (suffix != QLatin1String("toc")) identity += '|' + fileIdentity(companion(device, suffix == QLatin1String("cue")));
    if (identity == previous.identity) return previous;
    if (const QString problem = cdDeviceProblem(device); !problem.isEmpty())
        return {S_ISREG(st.st_mode) ? CdLook::State::NoDisc : CdLook::State::NoDrive, problem, identity};
    return {CdLook::State::Disc, {}, identity};
}

QString dvdFolderProblem(const QString& folder)
{
    // Every file of the disc the reader may open (information files, their backups, the video
    // objects) must be a regular file.
    static const QRegularExpression discFile(QStringLiteral("^(VIDEO_TS|VTS_[0-9]{2}_[0-9])\\.(IFO|BUP|VOB)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QDir dir(folder);
    QStringList names;
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!discFile.match(name).hasMatch()) continue;
        struct stat st {};
        if (::stat(platform::encodeFileName(dir.filePath(name)).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return tr("The DVD's file %1 is not a file: a pipe, device or folder in its place is not read.").arg(name);
        names << name;
    }
    const auto read = [&](const QString& name, QString& problem) {
        const platform::LocalFile file = platform::readLocalFile(dir.filePath(name), kMaxIfoBytes);
        problem = file.problem;
        if (problem.isEmpty() && !file.complete) problem = tr("It is too large to be a DVD's information file.");
        return file.data;
    };
    // The reader takes an information file, or its backup where the file is missing or fails the
    // reader's own checks: each of the two that is there must hold together. Two versions of the
    // disc are checked whole: its information files (backups standing in for missing ones) and
    // its backups (the other way round).
    struct Version {
        dvd_ifo::VideoManager disc;
        std::vector<dvd_ifo::TitleSet> sets;
        bool differs = false;  // from the first version
    };
    std::array<Version, 2> versions;
    const auto readBoth = [&](const QString& base, const QString& missing, const auto& parse, const auto& keep) -> QString {
        QStringList files;  // the information file first
        for (const QString& ext : {QStringLiteral(".IFO"), QStringLiteral(".BUP")})
            for (const QString& name : names)
                if (name.compare(base + ext, Qt::CaseInsensitive) == 0) files << name;
        if (files.isEmpty()) return missing;
        QByteArray first;
        for (qsizetype i = 0; i < files.size(); ++i) {
            QString problem;
            const QByteArray data = read(files[i], problem);
            if (!problem.isEmpty()) return problem;
            if (i == 1 && data == first) break;  // a backup that is a copy adds nothing to check
            const auto parsed = parse(data, files[i]);
            if (!parsed.problem.isEmpty()) return parsed.problem;
            if (i == 0) {
                first = data;
                keep(versions[0], parsed, false);
                keep(versions[1], parsed, false);
            } else {
                keep(versions[1], parsed, true);
            }
        }
        return {};
    };

    const QString managerProblem = readBoth(
        QStringLiteral("VIDEO_TS"), tr("The folder holds no VIDEO_TS.IFO: it is not a DVD."), [](const QByteArray& d, const QString& n) { return dvd_ifo::readVideoManager(d, n); },
        [](Version& v, const dvd_ifo::VideoManager& m, bool differs) {
            v.disc = m;
            v.differs = v.differs || differs;
        });
    if (!managerProblem.isEmpty()) return managerProblem;
    for (int set = 1; set <= versions[0].disc.titleSets; ++set) {
        const QString base = QStringLiteral("VTS_%1_0").arg(set, 2, 10, QLatin1Char('0'));
        const QString problem = readBoth(
            base, tr("The DVD's title set %1 is missing (%2.IFO).").arg(set).arg(base), [](const QByteArray& d, const QString& n) { return dvd_ifo::readTitleSet(d, n); },
            [](Version& v, const dvd_ifo::TitleSet& t, bool differs) {
                if (differs) v.sets.back() = t;
                else v.sets.push_back(t);
                v.differs = v.differs || differs;
            });
        if (!problem.isEmpty()) return problem;
    }
    if (const QString problem = dvd_ifo::checkNavigation(versions[0].disc, versions[0].sets); !problem.isEmpty()) return problem;
    if (!versions[1].differs) return {};
    if (versions[1].disc.titleSets != versions[0].disc.titleSets)
        return tr("The DVD is damaged: its backup files (.BUP) name another number of title sets than its information files.");
    if (const QString problem = dvd_ifo::checkNavigation(versions[1].disc, versions[1].sets); !problem.isEmpty())
        return tr("%1 (In its backup files, .BUP.)").arg(problem);
    return {};
}

}  // namespace discs
