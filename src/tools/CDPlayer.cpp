#include "tools/CDPlayer.h"

#include "windows/Application.h"
#include "media/EngineFactory.h"
#include "media/MMControl.h"

CDPlayer::CDPlayer(Application& app) : Form(app, "CDPlayer", forms::Border::FixedToolWindow)
{
    setCaption(tr("ZelCD Player"));
    setClientSizeTw(3540, 1815);
    Text1 = forms::makeControl<forms::TextBox>(client(), "Text1", 0, 0, 3525, 975, QString());
    forms::setBackColor(Text1, forms::kSysWindowFrame);
    forms::setForeColor(Text1, 0x00008080);  // RGB(128, 128, 0)
    Text1->setAccessibleName(tr("Track"));
    MMControl1 = new MMControl(app.engines().createCdAudio(nullptr), client());
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    forms::placeTw(MMControl1, 0, 960, 3540, 855);
    MMControl1->DeviceType = QStringLiteral("CDAudio");
    forms::setTabOrder({MMControl1, Text1});
    MMControl1->setEntries([this](const std::function<void()>& body) { run(body); },
                           [this](const std::function<void()>& body) { runEvent(body); });
    onEvent(MMControl1, &MMControl::StatusUpdate, &CDPlayer::MMControl1_StatusUpdate);
}

void CDPlayer::Form_Load() { MMControl1->setCommand(QStringLiteral("Open")); }

void CDPlayer::MMControl1_StatusUpdate()
{
    // With no disc the display says why instead of "Track 0 / 0".
    const QString problem = MMControl1->ErrorMessage();
    const QString text =
        problem.isEmpty() ? QStringLiteral("Track %1 / %2").arg(MMControl1->Track()).arg(MMControl1->Tracks()) : problem;
    // Written only when it changes: the update comes every second, and a rewrite would reset
    // the box's caret and repaint it each time.
    if (Text1->text() != text) Text1->setText(text);
}
