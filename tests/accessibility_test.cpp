// Screen readers: every control a person can reach has a name.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/ExitBox.h"
#include "app/Form1.h"
#include "app/frmAbout.h"
#include "app/frmLogin.h"
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
    QStringList unnamed;
    for (forms::Form* window : all) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window)) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << window->objectName() + QLatin1Char('.') + w->objectName() + QLatin1Char(' ') +
                               QLatin1String(w->metaObject()->className());
        }
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}
