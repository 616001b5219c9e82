#pragma once

#include <QString>

#include <array>

class QWidget;

namespace tamrel {

// Languages 0 Chinese, 1 English, 2 Japanese: the index of the OptLan buttons.
inline constexpr int LanguageCount = 3;

// One text per language, in that order.
using LanguageTexts = std::array<const char*, LanguageCount>;

// The language's text; language is 0 to LanguageCount - 1.
inline QString textIn(const LanguageTexts& texts, int language) {
    return QString::fromUtf8(texts[static_cast<std::size_t>(language)]);
}

inline constexpr const char* ContactAddress = "tamrel-support@users.noreply.example.org";

// The window caption, the same in every language.
QString windowCaption();

// The four start-up hints, in Chinese only. An index outside 0 to 3 gives an empty text.
inline constexpr int StartupHintCount = 4;
QString startupHint(int index);

// Sets every language-dependent caption of the window (the main window or a dialog) to the
// language's column; any other index changes nothing. Field texts are never touched.
void ApplyLanguage(QWidget& window, int index);

// The caption of the named control in the language.
QString captionOf(const char* control, int language);

}  // namespace tamrel
