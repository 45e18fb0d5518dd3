#include "media/FullScreenWindow.h"

#include <QKeyEvent>

FullScreenWindow::FullScreenWindow(std::function<void()> onLeave)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), onLeave_(std::move(onLeave))
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
    if (e->key() == Qt::Key_Escape) onLeave_();
    else QWidget::keyPressEvent(e);
}

void FullScreenWindow::resizeEvent(QResizeEvent*)
{
    if (onResize) onResize();
}

void FullScreenWindow::closeEvent(QCloseEvent*) { onLeave_(); }
