#include "media/FullScreenWindow.h"

#include <QCoreApplication>
#include <QKeyEvent>

FullScreenWindow::FullScreenWindow(std::function<void()> onLeave, QWidget* keysTo)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), onLeave_(std::move(onLeave)), keysTo_(keysTo)
{
    setObjectName(QStringLiteral("fullScreen"));
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void FullScreenWindow::keyPressEvent(QKeyEvent* e)
{
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (e->key() == Qt::Key_Escape || (e->key() == Qt::Key_F && plain)) onLeave_();
    else if (keysTo_) QCoreApplication::sendEvent(keysTo_, e);
    else QWidget::keyPressEvent(e);
}

void FullScreenWindow::resizeEvent(QResizeEvent*)
{
    if (onResize) onResize();
}

void FullScreenWindow::closeEvent(QCloseEvent*) { onLeave_(); }
