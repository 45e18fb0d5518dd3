#pragma once

#include <QWidget>
#include <functional>

// Full screen: the picture alone (and the transport bar when full-screen controls are on) on
// a black window covering the screen. Esc or closing it leaves it.
class FullScreenWindow : public QWidget {
public:
    explicit FullScreenWindow(std::function<void()> onLeave);
    std::function<void()> onResize;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    std::function<void()> onLeave_;
};
