#pragma once

class QCheckBox;
class QRadioButton;

namespace tamrel {

// Setting a button from code raises the same click handling as the user's click, synchronously,
// before the call returns. Qt's setChecked() emits no clicked(), so these helpers emit it.

// Selects the option button and raises its click, also when it was already selected.
void selectOption(QRadioButton& button);

// Sets the check box's value and raises its click when the value changes.
void setCheckValue(QCheckBox& box, bool checked);

}  // namespace tamrel
