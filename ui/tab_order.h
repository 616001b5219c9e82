#pragma once

#include <string>
#include <vector>

class QWidget;

namespace tamrel {

// The controls that can take the focus, in tab order. Tab skips those that are disabled and the
// option buttons that are not selected.
const std::vector<std::string>& tabOrder();

// Chains the window's controls in tab order; Tab after the last wraps round to the first.
void applyTabOrder(QWidget& window);

}  // namespace tamrel
