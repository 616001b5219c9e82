#include "ui/field_style.h"

#include <QLineEdit>
#include <QPalette>

namespace tamrel {

void setTextColor(QLineEdit& field, const QColor& color) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    field.setPalette(palette);
}

QColor textColor(const QLineEdit& field) {
    return field.palette().color(QPalette::Active, QPalette::Text);
}

void setBackgroundColor(QLineEdit& field, const QColor& color) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, color);
    field.setPalette(palette);
}

}  // namespace tamrel
