#include "ui/reference_selection.h"

#include "conversion/fields.h"
#include "ui/control_table.h"
#include "ui/field_style.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <functional>

namespace tamrel {

namespace {

int selectedQuantity(QWidget& window) {
    for (int i = 0; i < QuantityCount; ++i) {
        auto* button =
            window.findChild<QRadioButton*>(QString::fromStdString(indexedName("OptS", i)));
        if (button != nullptr && button->isChecked()) {
            return i;
        }
    }
    return -1;
}

QLineEdit* gridField(QWidget& window, Field f) {
    return window.findChild<QLineEdit*>(QLatin1String(fieldName(f)));
}

// The reference grid's columns, each indexed by quantity.
using Column = Field (*)(int);
constexpr std::array<Column, 3> columns{reference, upperTolerance, lowerTolerance};

void forEachGridField(QWidget& window, const std::function<void(QLineEdit&, int)>& apply) {
    for (Column column : columns) {
        for (Quantity q : Quantities) {
            if (QLineEdit* field = gridField(window, column(q))) {
                apply(*field, q);
            }
        }
    }
}

}  // namespace

void SelectReference(QWidget& window) {
    const int k = selectedQuantity(window);
    if (k < 0) {
        return;
    }
    forEachGridField(window, [k](QLineEdit& field, int i) { field.setEnabled(i == k); });
    forEachGridField(window, [k](QLineEdit& field, int i) {
        setTextColor(field, i == k ? FieldRed : FieldBlack);
    });
    for (Column column : columns) {
        QLineEdit* field = gridField(window, column(static_cast<Quantity>(k)));
        if (field != nullptr && field->text() == QLatin1String(Placeholder)) {
            field->setText(QStringLiteral("0"));
        }
    }
    if (QLineEdit* value = gridField(window, reference(static_cast<Quantity>(k)))) {
        value->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace tamrel
