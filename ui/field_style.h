#pragma once

#include <QColor>

class QLineEdit;

namespace tamrel {

inline const QColor FieldRed(255, 0, 0);
inline const QColor FieldBlack(0, 0, 0);

// Sets the colour a field's text has while it is enabled. The disabled colour is left to the style,
// so a disabled field still looks greyed out; the colour set here returns when it is enabled again.
void setTextColor(QLineEdit& field, const QColor& color);
QColor textColor(const QLineEdit& field);

// Sets the field's background in every state.
void setBackgroundColor(QLineEdit& field, const QColor& color);

}  // namespace tamrel
