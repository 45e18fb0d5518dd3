#include "forms/Keystrokes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace forms {

void sendKeys(std::initializer_list<QKeyCombination> keys)
{
    for (const QKeyCombination& k : keys) {
        QWidget* target = QApplication::focusWidget();
        if (!target) return;
        QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers());
        QKeyEvent release(QEvent::KeyRelease, k.key(), k.keyboardModifiers());
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

}  // namespace forms
