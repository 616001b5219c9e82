#pragma once

class QWidget;

namespace tamrel {

// Gives the main window Ctrl+I and an entry in the context menu of its background, both opening
// the dialog "Identify gear" in the interface language (the selected OptLan button). The dialog
// lists the standard gears that fit a gear in hand; "Use" writes the chosen one into the window's
// gear data, selects the W row with the measured W over k as its reference value and tolerances
// of 0, and runs the conversion. The window is reached only through its controls' object names.
void installGearIdentification(QWidget& window);

}  // namespace tamrel
