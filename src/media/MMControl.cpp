#include "media/MMControl.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>

namespace {

// Record and Eject have no standard picture: drawn here.
QIcon drawnIcon(MMControl::Button b)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (b == MMControl::Record) {
        p.setBrush(QColor(200, 0, 0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3, 3, 10, 10));
    } else {
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        QPainterPath triangle;
        triangle.moveTo(8, 2);
        triangle.lineTo(14, 9);
        triangle.lineTo(2, 9);
        triangle.closeSubpath();
        p.drawPath(triangle);
        p.drawRect(QRectF(2, 11, 12, 3));
    }
    return QIcon(pixmap);
}

}  // namespace

MMControl::MMControl(CdAudioDevice* device, QWidget* parent) : QWidget(parent), device_(device)
{
    device_->setParent(this);
    struct Spec {
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;  // SP_CustomBase: drawn
        const char* command;
    };
    static constexpr std::array<Spec, 9> kSpecs{{{"PrevButton", "Previous", QStyle::SP_MediaSkipBackward, "Prev"},
                                                 {"NextButton", "Next", QStyle::SP_MediaSkipForward, "Next"},
                                                 {"PlayButton", "Play", QStyle::SP_MediaPlay, "Play"},
                                                 {"PauseButton", "Pause", QStyle::SP_MediaPause, "Pause"},
                                                 {"BackButton", "Back", QStyle::SP_MediaSeekBackward, "Back"},
                                                 {"StepButton", "Step", QStyle::SP_MediaSeekForward, "Step"},
                                                 {"StopButton", "Stop", QStyle::SP_MediaStop, "Stop"},
                                                 {"RecordButton", "Record", QStyle::SP_CustomBase, "Record"},
                                                 {"EjectButton", "Eject", QStyle::SP_CustomBase, "Eject"}}};
    for (size_t i = 0; i < kSpecs.size(); ++i) {
        const Spec& s = kSpecs[i];
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(s.name));
        b->setAccessibleName(tr(s.caption));
        b->setToolTip(tr(s.caption));
        b->setIcon(s.icon == QStyle::SP_CustomBase ? drawnIcon(static_cast<Button>(i)) : style()->standardIcon(s.icon));
        const QString command = QString::fromLatin1(s.command);
        connect(b, &QPushButton::clicked, this, [this, command] {
            const auto body = [this, command] { setCommand(command); };
            click_ ? click_(body) : body();
        });
        buttons_[i] = b;
    }
    status_.setInterval(kUpdateIntervalMs);
    // Each status update first looks at the drive, so a disc inserted or taken out is followed.
    connect(&status_, &QTimer::timeout, this, [this] {
        const auto look = [this] { device_->checkDrive(); };
        event_ ? event_(look) : look();
        emit StatusUpdate();
    });
    connect(device_, &CdAudioDevice::changed, this, [this] {
        refreshButtons();
        emit StatusUpdate();
    });
    refreshButtons();
}

void MMControl::setEntries(CdAudioDevice::Entry click, CdAudioDevice::Entry event)
{
    click_ = std::move(click);
    event_ = std::move(event);
    device_->setEntry(event_);
}

void MMControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int n = static_cast<int>(buttons_.size());
    for (int i = 0; i < n; ++i) {
        const int left = width() * i / n, right = width() * (i + 1) / n;
        buttons_[i]->setGeometry(left, 0, right - left, height());
    }
}

void MMControl::setCommand(const QString& command)
{
    static constexpr std::array<std::pair<const char*, void (CdAudioDevice::*)()>, 9> kActions{{
        {"open", &CdAudioDevice::open},
        {"play", &CdAudioDevice::play},
        {"pause", &CdAudioDevice::pause},
        {"stop", &CdAudioDevice::stop},
        {"prev", &CdAudioDevice::previous},
        {"next", &CdAudioDevice::next},
        {"back", &CdAudioDevice::back},
        {"step", &CdAudioDevice::step},
        {"eject", &CdAudioDevice::eject},
    }};
    const QString c = command.trimmed().toLower();
    for (const auto& [name, action] : kActions)
        if (c == QLatin1String(name)) (device_->*action)();
    if (c == QLatin1String("open")) status_.start();
    if (c == QLatin1String("close")) {
        device_->stop();
        status_.stop();
    }
    refreshButtons();
}

void MMControl::refreshButtons()
{
    const bool open = device_->isOpen(), playing = device_->isPlaying();
    buttons_[Prev]->setEnabled(open && device_->track() > 1);
    buttons_[Next]->setEnabled(open && device_->track() < device_->tracks());
    buttons_[Play]->setEnabled(open && !playing);
    buttons_[Pause]->setEnabled(playing);
    buttons_[Back]->setEnabled(open);
    buttons_[Step]->setEnabled(open);
    buttons_[Stop]->setEnabled(open);
    buttons_[Record]->setEnabled(false);  // an audio CD is not written to
    buttons_[Eject]->setEnabled(open);
}
