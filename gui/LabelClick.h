#pragma once

#include <functional>

class QAbstractButton;
class QWidget;

namespace tarvis {

// A click on a label (the left button pressed and released on it; released elsewhere is no
// click) runs `aktion`. The label keeps its other mouse handling.
void BeiKlick(QWidget* label, std::function<void()> aktion);

// The label names an option button: a click on it selects the button and gives it the focus,
// as a click on the button itself would.
void WaehltBeiKlick(QWidget* label, QAbstractButton* option);

} // namespace tarvis
