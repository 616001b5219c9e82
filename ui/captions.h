#pragma once

#include <QString>

#include <array>

class QWidget;

namespace tamrel {

// Language index, the index of the OptLan buttons.
enum Language : int { Chinese = 0, English = 1, Japanese = 2 };
inline constexpr int LanguageCount = 3;

// One language-dependent caption: the control's object name and its text in each language.
struct CaptionRow {
    const char* control;
    std::array<const char*, LanguageCount> texts;
};

// The captions in the order they are applied; the window's own caption is the row of
// "FormInput1".
const std::array<CaptionRow, 25>& captionTable();

inline constexpr const char* ContactAddress = "tamrel-support@users.noreply.example.org";

// The window caption, the same in every language.
QString windowCaption();

// The four start-up hints, in Chinese only. An index outside 0 to 3 gives an empty text.
inline constexpr int StartupHintCount = 4;
QString startupHint(int index);

// Sets every language-dependent caption of the window to the language's column; any other index
// changes nothing. Field texts are never touched.
void ApplyLanguage(QWidget& window, int index);

}  // namespace tamrel
