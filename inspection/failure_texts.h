#pragma once

#include "inspection/inspection.h"

namespace tamrel::inspection {

// The interface languages, in the order of the window's language buttons.
enum class Language { Chinese, English, Japanese };

// Why a value is absent, in the given language.
const char* failureText(Failure failure, Language language);

}  // namespace tamrel::inspection
