// Screen readers: every window is a frame or a dialog, and every control a person can reach, menu
// items and menu bars included, has a name that says what it is.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QWidget>
#include <gtest/gtest.h>

#include "windows/ExitBox.h"
#include "windows/Form1.h"
#include "windows/frmAbout.h"
#include "windows/frmLogin.h"
#include "main_window/Pro1.h"
#include "playlist/Form2.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "settings/Addit1.h"
#include "settings/Addit2.h"
#include "settings/Aud1.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"
#include "support/Started.h"
#include "tools/CDPlayer.h"
#include "tools/CalFrm.h"
#include "tools/Form3.h"
#include "tools/Form5.h"
#include "tools/Form6.h"
#include "tools/frmDVD.h"

namespace {

template <class... W> std::vector<forms::Form*> windows(Started& s) { return {&s.form<W>()...}; }

}  // namespace

TEST(Accessibility, EveryFocusableControlOfEveryWindowHasAName)
{
    Started s;
    const std::vector<forms::Form*> all =
        windows<frmSplash, frmMain, Pro1, Player, RealRControl, Vid1, PlaySet, Aud1, Addit1, Addit2, ExitBox, frmAbout,
                frmLogin, Form1, Form2, Form3, Form5, Form6, CalFrm, CDPlayer, frmDVD>(s);
    // A design name ("Label2") or an access-key mark says nothing to a listener.
    const QRegularExpression unsaid(QStringLiteral("^\\s*$|^[A-Za-z]+[0-9]+$|&"));
    QStringList unnamed;
    for (forms::Form* window : all) {
        const QAccessible::Role role = QAccessible::queryAccessibleInterface(window)->role();
        if (role != QAccessible::Window && role != QAccessible::Dialog) unnamed << window->objectName() + QStringLiteral(" is no window");
        QList<QAccessibleInterface*> reachable;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            // The window's own menus (Qt's inner ones, a calendar's months, have none of its names);
            // a combo box is named by its text, as screen readers on Linux take it.
            const bool isMenu = qobject_cast<QMenuBar*>(w) || (qobject_cast<QMenu*>(w) && !w->objectName().isEmpty());
            if (qobject_cast<QComboBox*>(w) || (w->focusPolicy() == Qt::NoFocus && !isMenu) ||
                !(w->isVisibleTo(window) || isMenu))
                continue;
            reachable << QAccessible::queryAccessibleInterface(w);
            for (int i = 0; isMenu && i < reachable.back()->childCount(); ++i) reachable << reachable.back()->child(i);
        }
        for (QAccessibleInterface* a : reachable) {
            if (a->role() == QAccessible::Separator || !a->text(QAccessible::Name).contains(unsaid)) continue;
            unnamed << window->objectName() + QLatin1Char('.') + a->object()->objectName() + QStringLiteral(": \"") +
                           a->text(QAccessible::Name) + QLatin1Char('"');
        }
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}
