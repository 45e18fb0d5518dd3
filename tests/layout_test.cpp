// Every window as a person sees it: each caption, label, option, check box, button, frame title
// and caption box shows its whole text, uncovered, and windows have the sizes they were designed
// with. Run at scale 1 and (as a test of its own) at QT_SCALE_FACTOR=2.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QPushButton>
#include <gtest/gtest.h>

#include "windows/ExitBox.h"
#include "windows/Form1.h"
#include "windows/frmAbout.h"
#include "windows/frmLogin.h"
#include "forms/Twips.h"
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

QString withoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// The rectangle a control's text has (in the control's coordinates), and the text.
struct TextPlace {
    QRect room;
    QString text;
    bool wraps = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

std::optional<TextPlace> textPlace(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return std::nullopt;
        return TextPlace{label->contentsRect(), withoutMnemonic(label->text()), label->wordWrap(), label->alignment()};
    }
    if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
        auto* b = static_cast<QAbstractButton*>(w);
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QRect r = w->style()->subElementRect(qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                                                 : QStyle::SE_CheckBoxContents,
                                                   &opt, w);
        return TextPlace{r, withoutMnemonic(b->text()), false};
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        if (b->text().isEmpty()) return std::nullopt;
        // Captions wrap inside the button's edge.
        return TextPlace{b->rect().adjusted(3, 2, -3, -2), withoutMnemonic(b->text()), true, Qt::AlignCenter};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        if (frame->title().isEmpty()) return std::nullopt;
        return TextPlace{frame->rect().adjusted(0, 0, -8, 0), withoutMnemonic(frame->title()), false, Qt::AlignLeft | Qt::AlignTop};
    }
    if (auto* box = qobject_cast<QPlainTextEdit*>(w)) {
        // Caption boxes: boxes that cannot be typed into, holding a caption of one line.
        if (box->isEnabled() || box->toPlainText().trimmed().isEmpty()) return std::nullopt;
        return TextPlace{box->viewport()->geometry(), box->toPlainText().trimmed(), false};
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (!combo->isEditable() || combo->currentText().isEmpty()) return std::nullopt;
        return TextPlace{combo->lineEdit()->geometry(), combo->currentText(), false};
    }
    return std::nullopt;
}

// The visible siblings stacked above the control that paint a background of their own.
std::vector<const QWidget*> coveringSiblings(const QWidget* w)
{
    std::vector<const QWidget*> out;
    const QObjectList& siblings = w->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
        const auto* above = qobject_cast<const QWidget*>(siblings[i]);
        if (!above || !above->isVisible()) continue;
        if (qobject_cast<const QLabel*>(above) && !above->autoFillBackground()) continue;
        out.push_back(above);
    }
    return out;
}

// A control wholly under another (the Play and Pause pair, say) is not seen at all.
bool hiddenUnderAnother(const QWidget* w)
{
    for (const QWidget* above : coveringSiblings(w))
        if (above->geometry().contains(w->geometry())) return true;
    return false;
}

// Why the text does not show whole; empty when it does.
QString whyNotWhole(QWidget* w)
{
    const std::optional<TextPlace> place = textPlace(w);
    if (!place || place->room.isEmpty()) return {};
    const QFontMetrics fm = w->fontMetrics();
    QRect needed;
    if (place->wraps) {
        for (const QString& word : place->text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            if (fm.horizontalAdvance(word) > place->room.width()) return QStringLiteral("the word \"%1\" is wider than the room").arg(word);
        needed = fm.boundingRect(QRect(0, 0, place->room.width(), 10000), Qt::TextWordWrap, place->text);
    } else {
        int width = 0;
        const QStringList lines = place->text.split(QLatin1Char('\n'));
        for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line));
        needed = QRect(0, 0, width, fm.height() * static_cast<int>(lines.size()));
    }
    if (needed.width() > place->room.width() + 1 || needed.height() > place->room.height() + 2)
        return QStringLiteral("needs %1x%2, has %3x%4")
            .arg(needed.width()).arg(needed.height()).arg(place->room.width()).arg(place->room.height());
    // Uncovered: no control stacked above it hides part of the text. (Labels that fill no
    // background let it show through.)
    QRect text = QStyle::alignedRect(Qt::LeftToRight, place->alignment,
                                     needed.size().boundedTo(place->room.size()), place->room);
    text = QRect(w->mapTo(w->parentWidget(), text.topLeft()), text.size());
    // A button shows every edge (buttons designed side by side may share their last pixel).
    if (qobject_cast<QPushButton*>(w)) text = w->geometry().adjusted(1, 1, -1, -1);
    for (const QWidget* above : coveringSiblings(w))
        if (above->geometry().intersects(text)) return QStringLiteral("covered by %1").arg(above->objectName());
    return {};
}

}  // namespace

TEST(Layout, EveryTextShowsWholeInEveryWindow)
{
    Started s;
    s.main().mnuviewvideosettings->trigger();  // its windows as their menu commands show them
    s.main().mnuviewzelplayerplussettings->trigger();
    s.main().mnuviewplaylist->trigger();
    s.main().frmDVDPlayer->trigger();
    s.main().frmDVDPlayer->trigger();
    s.form<frmDVD>().mnufileexit->trigger();  // the exit box with the DVD window's question
    s.openVideo(QStringLiteral("clip.avi"), 10.031);  // the status at its longest: "10.031 \ 10.031 Seconds"
    s.screen().setCurrentPosition(10.031);
    const std::vector<forms::Form*> all =
        windows<frmSplash, frmMain, Pro1, Player, RealRControl, Vid1, PlaySet, Aud1, Addit1, Addit2, ExitBox, frmAbout,
                frmLogin, Form1, Form2, Form3, Form5, Form6, CalFrm, CDPlayer, frmDVD>(s);
    QStringList cut;
    const QString grabs = qEnvironmentVariable("ZP_GRAB_DIR");  // set to keep the pictures
    for (forms::Form* window : all) {
        window->show();
        settle();
        if (!grabs.isEmpty()) window->grab().save(QDir(grabs).filePath(window->objectName() + QStringLiteral(".png")));
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || hiddenUnderAnother(w)) continue;
            if (const QString why = whyNotWhole(w); !why.isEmpty())
                cut << window->objectName() + QLatin1Char('.') + w->objectName() + QStringLiteral(": ") + why;
        }
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
}

// A message box is at least as wide as its title needs, even with no text of its own.
TEST(Layout, AMessageBoxIsWideEnoughForItsTitle)
{
    for (const QString& title : {QStringLiteral("ZelPlayer Plus Help File"), QStringLiteral("Login")}) {
        std::unique_ptr<QMessageBox> box = forms::QtMessageBoxes::build(nullptr, QString(), title);
        box->show();
        settle();
        EXPECT_GE(box->width(), forms::titleWidth(title, box->font()) + 120) << title.toStdString();
    }
}

// Windows with a menu bar have the client area they were designed with, below the bar.
TEST(Layout, WindowsWithAMenuBarHaveTheirWholeClientArea)
{
    Started s;
    const struct {
        forms::Form* window;
        int widthTw, heightTw;
    } windows[] = {{&s.main(), 0, 0}, {&s.form<Form3>(), 9615, 7575}, {&s.form<frmDVD>(), 4590, 3045}};
    for (const auto& w : windows) {
        ASSERT_TRUE(w.window->menuBar()) << w.window->objectName().toStdString();
        w.window->show();
        settle();
        EXPECT_EQ(w.window->client()->y(), w.window->menuBar()->height()) << w.window->objectName().toStdString();
        if (w.widthTw == 0) continue;
        EXPECT_EQ(w.window->client()->size(), QSize(forms::toPixels(w.widthTw), forms::toPixels(w.heightTw)))
            << w.window->objectName().toStdString();
    }
}

// The About box is centred on the main window where that is when the box is shown, also when a
// colour Apply made the box long before; the login window has no task-bar entry.
TEST(Layout, TheAboutBoxCentresWhereTheMainWindowIsAndTheLoginHasNoTaskBarEntry)
{
    Started s;
    s.main().show();
    s.main().move(40, 40);
    s.form<frmAbout>();  // made hidden, as a colour Apply makes it
    s.main().move(300, 200);
    settle();
    s.main().mnuAbout->trigger();
    settle();
    const QRect screen = s.main().screen()->availableGeometry();
    QRect expected = s.form<frmAbout>().frameGeometry();
    expected.moveCenter(s.main().geometry().center());
    const QPoint off = s.form<frmAbout>().geometry().center() - s.main().geometry().center();
    if (screen.contains(expected)) EXPECT_LE(off.manhattanLength(), 4) << off.x() << "," << off.y();
    else EXPECT_TRUE(screen.contains(s.form<frmAbout>().geometry()));
    EXPECT_EQ(s.form<frmLogin>().windowType(), Qt::Tool);
    EXPECT_EQ(s.form<frmSplash>().windowType(), Qt::Tool);
}
