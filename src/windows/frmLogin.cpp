#include "windows/frmLogin.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "forms/Controls.h"
#include "forms/Keystrokes.h"

using forms::makeControl;

namespace {

// The one pair the login accepts, compared exactly.
const QString kUserId = QStringLiteral("KWD");
const QString kPassword = QStringLiteral("Bram");

}  // namespace

frmLogin::frmLogin(Application& app) : Form(app, "frmLogin", forms::Border::FixedDialog), app_(app)
{
    // No task-bar entry, like the start-up window it leads to.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    setCaption(tr("Login"));
    setClientSizeTw(3750, 1545);
    lblLabels[0] = makeControl<QLabel>(client(), "lblLabels(0)", 120, 150, 1080, 270, tr("&User Name:"));
    txtUserName = makeControl<QLineEdit>(client(), "txtUserName", 1320, 135, 2325, 345);
    lblLabels[1] = makeControl<QLabel>(client(), "lblLabels(1)", 120, 540, 1080, 270, tr("&Password:"));
    txtPassword = makeControl<QLineEdit>(client(), "txtPassword", 1320, 480, 2325, 345);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setAttribute(Qt::WA_InputMethodEnabled, false);
    cmdOK = makeControl<forms::CommandButton>(client(), "cmdOK", 600, 1020, 1140, 390, tr("OK"));
    cmdOK->setEnabled(false);
    cmdCancel = makeControl<forms::CommandButton>(client(), "cmdCancel", 2040, 1020, 1140, 390, tr("Cancel"));
    // Each label's access key moves the focus to the box after it.
    lblLabels[0]->setBuddy(txtUserName);
    lblLabels[1]->setBuddy(txtPassword);
    txtUserName->setAccessibleName(tr("User Name"));
    txtPassword->setAccessibleName(tr("Password"));
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);
    forms::setTabOrder({txtUserName, txtPassword, cmdOK, cmdCancel});
    on(txtUserName, &QLineEdit::textChanged, &frmLogin::txtUserName_Change);
    on(txtPassword, &QLineEdit::textChanged, &frmLogin::txtPassword_Change);
    on(cmdOK, &QPushButton::clicked, &frmLogin::cmdOK_Click);
    on(cmdCancel, &QPushButton::clicked, &frmLogin::cmdCancel_Click);
    if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

// Each box decides alone: OK follows whether the box just changed is empty.
void frmLogin::txtUserName_Change()
{
    cmdOK->setEnabled(true);
    if (txtUserName->text().isEmpty()) cmdOK->setEnabled(false);
}

void frmLogin::txtPassword_Change()
{
    cmdOK->setEnabled(true);
    if (txtPassword->text().isEmpty()) cmdOK->setEnabled(false);
}

void frmLogin::cmdOK_Click()
{
    frmSplash& splash = app_.forms().get<frmSplash>();
    if (txtUserName->text().isEmpty() && txtPassword->text().isEmpty()) cmdOK->setEnabled(false);
    if (txtUserName->text() == kUserId) {
        if (txtPassword->text() != kPassword) {
            app_.report(this, tr("Invalid Password, try again!"), tr("Login"));
            txtPassword->setFocus();
            Show();
            splash.Hide();
            // Selects the whole password, so typing replaces it.
            forms::sendKeys({Qt::Key_Home, Qt::SHIFT | Qt::Key_End});
        } else {
            Hide();
            splash.Show();
            splash.lblProductName->setText(QStringLiteral("ZelPlayer Plus"));
        }
    }
    splash.Label1->setVisible(false);
}

void frmLogin::cmdCancel_Click()
{
    Hide();
    app_.endProgram();
}
