#include "windows/frmAbout.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "platform/System.h"
#include "product/Product.h"

using forms::makeControl;

namespace {

// The box's own icon: a play sign on a round blue face.
QIcon aboutIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x5f, 0xbf));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 30, 30);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(12, 8), QPoint(25, 16), QPoint(12, 24)}));
    return QIcon(pixmap);
}

}  // namespace

frmAbout::frmAbout(Application& app) : Form(app, "frmAbout", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("About"));
    setClientSizeTw(5865, 3630);
    setWindowIcon(aboutIcon());
    const auto label = [this](const char* name, int l, int t, int w, int h, const QString& text) {
        auto* lbl = makeControl<QLabel>(client(), name, l, t, w, h, text);
        lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lbl->setWordWrap(true);
        forms::setForeColor(lbl, forms::kBlack);
        forms::setSeeThrough(lbl);  // on any colour the box is given, not a grey patch
        return lbl;
    };
    lblTitle = label("lblTitle", 1050, 240, 4092, 480, product::kTitle);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = label("lblVersion", 1050, 840, 4095, 225, QString());
    lblDescription = label("lblDescription", 1080, 1125, 4095, 1170, QString());
    // An etched separator: a grey line with a white one just under it.
    Line1[1] = new forms::Line(client(), "Line1(1)", 225, 2430, 5657, 2430, forms::ColorNumber(0x808080), 1);
    Line1[0] = new forms::Line(client(), "Line1(0)", 240, 2445, 5657, 2445, forms::kWhite, 2);
    lblDisclaimer = label("lblDisclaimer", 255, 2625, 3870, 825,
                          QStringLiteral("Warning: ...Remember this is still like the previous versions a OS Windows "
                                         "based program, therefore this Media Player can only access and play Media "
                                         "file types listed within the OpenBox."));
    cmdOK = makeControl<forms::CommandButton>(client(), "cmdOK", 4245, 2625, 1467, 345, tr("OK"));
    cmdSysInfo = makeControl<forms::CommandButton>(client(), "cmdSysInfo", 4260, 3075, 1452, 345, tr("&Player Info..."));
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);
    forms::setTabOrder({cmdOK, cmdSysInfo});
    on(cmdOK, &QPushButton::clicked, &frmAbout::cmdOK_Click);
    on(cmdSysInfo, &QPushButton::clicked, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // Centred on the main window where it is now (the box may have been made long before,
    // hidden, by a colour Apply), kept on its screen.
    const QWidget& owner = app_.forms().get<frmMain>();
    QRect placed = rect();
    placed.moveCenter(owner.geometry().center());
    if (const QScreen* screen = owner.screen()) {
        const QRect available = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), available.left(), std::max(available.left(), available.right() - placed.width())));
        placed.moveTop(std::clamp(placed.top(), available.top(), std::max(available.top(), available.bottom() - placed.height())));
    }
    move(placed.topLeft());
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version ") + product::versionText());
    lblTitle->setText(product::kTitle);
}

void frmAbout::StartSysInfo()
{
    using platform::GetKeyValue;
    using platform::RegistryRoot;
    platform::System& system = app_.system();
    QString path;
    if (GetKeyValue(system, RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        // Started as it is, without looking for the file first.
        if (system.startProgram(path)) return;
    } else if (GetKeyValue(system, RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString program = path + QStringLiteral("\\MSINFO32.EXE");
        if (system.fileExists(program) && system.startProgram(program)) return;
    }
    app_.report(this, tr("System Information Is Unavailable At This Time"));
}
