#pragma once

namespace tamrel {

// The interface languages, in the order of the window's language buttons.
enum class Language { Chinese, English, Japanese };

}  // namespace tamrel
