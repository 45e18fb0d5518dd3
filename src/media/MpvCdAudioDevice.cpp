#include "media/MpvCdAudioDevice.h"

#include <QFile>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include "media/Discs.h"
#include "media/MediaSource.h"
#include "platform/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

enum : uint64_t { kChapter = 1, kChapters, kPause };

constexpr double kStepSeconds = 10;

}  // namespace

MpvCdAudioDevice::MpvCdAudioDevice(const MpvOptions& options, QString devicePath, QObject* parent)
    : CdAudioDevice(parent), session_(options, *this, this), devicePath_(std::move(devicePath))
{
    session_.setString("cdrom-device", platform::encodeFileName(devicePath_));
    session_.observe("chapter", MPV_FORMAT_INT64, kChapter);
    session_.observe("chapters", MPV_FORMAT_INT64, kChapters);
    session_.observe("pause", MPV_FORMAT_FLAG, kPause);
    openDeadline_.setSingleShot(true);
    openDeadline_.setInterval(options.openDeadlineSeconds * 1000);
    connect(&openDeadline_, &QTimer::timeout, this, [this, seconds = options.openDeadlineSeconds] {
        if (opening_) fail(media_source::noAnswer(false, seconds));
    });
}

void MpvCdAudioDevice::open()
{
    passedOver_.clear();
    lastLook_ = {};
    checkDrive();
}

void MpvCdAudioDevice::checkDrive()
{
    // Answers at once: only a drive is asked off the UI thread, and its answer follows.
    if (!discs::isCdDrive(devicePath_)) {
        follow(discs::lookAtCdDevice(devicePath_, lastLook_));
        return;
    }
    if (looking_) return;
    looking_ = true;
    auto* watcher = new QFutureWatcher<discs::CdLook>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        looking_ = false;
        enter([this, look = watcher->result()] { follow(look); });
    });
    watcher->setFuture(QtConcurrent::run([device = devicePath_] { return discs::lookAtCdDevice(device); }));
}

void MpvCdAudioDevice::follow(const discs::CdLook& look)
{
    lastLook_ = look;
    if (look.state != discs::CdLook::State::Disc) {
        // No disc: whatever was open is let go, and the next disc to come is read.
        passedOver_.clear();
        if (open_ || opening_ || !discIdentity_.isEmpty()) letGo();
        if (problem_ != look.problem) {
            problem_ = look.problem;
            emit changed();
        }
        return;
    }
    if (look.identity == discIdentity_ || look.identity == passedOver_) return;  // the same disc
    startOpening(look.identity);
}

void MpvCdAudioDevice::startOpening(const QByteArray& identity)
{
    if (open_ || opening_) letGo();
    discIdentity_ = identity;
    problem_ = tr("Reading the disc...");
    opening_ = true;
    chapter_ = chapters_ = 0;
    openDeadline_.start();
    session_.setFlag("pause", true);  // an opened disc waits for Play
    session_.command({"loadfile", "cdda://", "replace"});
    emit changed();
}

void MpvCdAudioDevice::letGo()
{
    session_.stop();
    openDeadline_.stop();
    opening_ = open_ = false;
    discIdentity_.clear();
    chapter_ = chapters_ = 0;
}

void MpvCdAudioDevice::fail(const QString& problem)
{
    // Not read again while it stays in the drive.
    passedOver_ = discIdentity_;
    letGo();
    problem_ = problem;
    emit changed();
}

void MpvCdAudioDevice::mpvEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        if (!opening_) break;
        openDeadline_.stop();
        opening_ = false;
        open_ = true;
        problem_.clear();
        emit changed();
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        if (opening_ && end->reason == MPV_END_FILE_REASON_ERROR)
            fail(tr("There is no audio CD in the drive."));
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* p = static_cast<const mpv_event_property*>(event.data);
        if (!p->data) break;
        if (event.reply_userdata == kChapter) chapter_ = static_cast<int>(std::max<int64_t>(0, *static_cast<int64_t*>(p->data)));
        else if (event.reply_userdata == kChapters) chapters_ = static_cast<int>(*static_cast<int64_t*>(p->data));
        else if (event.reply_userdata == kPause) paused_ = *static_cast<int*>(p->data) != 0;
        emit changed();
        break;
    }
    default: break;
    }
}

void MpvCdAudioDevice::play()
{
    if (open_) session_.setFlag("pause", false);
}

void MpvCdAudioDevice::pause()
{
    if (open_) session_.setFlag("pause", true);
}

void MpvCdAudioDevice::stop()
{
    if (!open_) return;
    session_.setFlag("pause", true);
    session_.command({"seek", "0", "absolute"});
}

void MpvCdAudioDevice::next()
{
    if (open_) session_.command({"add", "chapter", "1"});
}

void MpvCdAudioDevice::previous()
{
    if (open_) session_.command({"add", "chapter", "-1"});
}

void MpvCdAudioDevice::back()
{
    if (open_) session_.command({"seek", QByteArray::number(-kStepSeconds), "relative"});
}

void MpvCdAudioDevice::step()
{
    if (open_) session_.command({"seek", QByteArray::number(kStepSeconds), "relative"});
}

void MpvCdAudioDevice::eject()
{
    fail(tr("The disc was ejected."));
    // A drive opens its tray; that can take a moment, so it happens away from the windows.
    const QByteArray device = platform::encodeFileName(devicePath_);
    std::thread([device] {
        struct stat st {};
        if (::stat(device.constData(), &st) != 0 || !S_ISBLK(st.st_mode)) return;
        const int fd = ::open(device.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        ::ioctl(fd, CDROMEJECT);
        ::close(fd);
    }).detach();
}
