#pragma once

#include <QColor>
#include <QString>

#include <string>

class QLineEdit;
class QWidget;

namespace tamrel {

// 15 twips are one pixel at 96 dots per inch.
constexpr int twipsToPixels(int twips) {
    return twips / 15;
}

// The window's client area in twips.
inline constexpr int WindowWidthTwips = 7965;
inline constexpr int WindowHeightTwips = 7905;

// Members of the control arrays are named like "OptS(1)".
std::string indexedName(const char* arrayName, int index);

// Creates every control of the window as a child of the window or of its frame, with its object
// and accessible name, place, start text, colours and flags. A frame comes before its contents.
void createControls(QWidget& window);

inline const QColor FieldRed(255, 0, 0);
inline const QColor FieldBlack(0, 0, 0);

// Sets the colour a field's text has while it is enabled. The disabled colour is left to the style,
// so a disabled field still looks greyed out; the colour set here returns when it is enabled again.
void setTextColor(QLineEdit& field, const QColor& color);

// A note shown in the field's tooltip below its whole text (when the text is wider than the
// field); an empty note removes it.
void setToolTipNote(QLineEdit& field, const QString& note);

}  // namespace tamrel
