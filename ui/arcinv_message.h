#pragma once

class QWidget;

namespace tamrel {

inline constexpr const char* ArcinvFailureText = "Error occurred in ARCINV function!";

// The modal message with which the inverse involute reports a failure: an OK button only and the
// application's name as caption. Returns when the user confirms.
void showArcinvFailure(QWidget* parent);

}  // namespace tamrel
