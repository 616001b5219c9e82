#pragma once

class QWidget;

namespace tamrel {

// Makes the row of the selected OptS button the input row: its three fields enabled and red, the
// other rows disabled and black. A placeholder "---" in the input row becomes "0", so that a row
// the last run could not fill is a valid input, and the focus goes to its reference value.
// Nothing happens while no OptS button is selected.
void SelectReference(QWidget& window);

}  // namespace tamrel
