#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

// Full screen: the picture alone (and the transport bar when full-screen controls are on) on
// a black window covering the screen. Esc, F or closing it leaves it; other keys go to the
// window the picture came from, as if pressed there.
class FullScreenWindow : public QWidget {
public:
    FullScreenWindow(std::function<void()> onLeave, QWidget* keysTo);
    std::function<void()> onResize;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    std::function<void()> onLeave_;
    QPointer<QWidget> keysTo_;
};
