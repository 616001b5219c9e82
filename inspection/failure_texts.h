#pragma once

#include "conversion/language.h"
#include "inspection/inspection.h"

namespace tamrel::inspection {

// Why a value is absent, in the given language.
const char* failureText(Failure failure, Language language);

}  // namespace tamrel::inspection
