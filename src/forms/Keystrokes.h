#pragma once

#include <QKeySequence>
#include <initializer_list>

namespace forms {

// Sends keystrokes to the control that has the focus, as if typed (Home, Shift+End, ...).
void sendKeys(std::initializer_list<QKeyCombination> keys);

}  // namespace forms
