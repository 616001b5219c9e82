#include "ui/reference_selection.h"

#include "conversion/field_names.h"
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

QLineEdit* gridField(QWidget& window, const std::string& name) {
    return window.findChild<QLineEdit*>(QString::fromStdString(name));
}

// The reference grid's columns, each indexed by quantity.
using ColumnName = std::function<std::string(int)>;
const std::array<ColumnName, 3> columns{field::reference, field::upperTolerance,
                                        field::lowerTolerance};

void forEachGridField(QWidget& window, const std::function<void(QLineEdit&, int)>& apply) {
    for (const ColumnName& column : columns) {
        for (int i = 0; i < QuantityCount; ++i) {
            if (QLineEdit* field = gridField(window, column(i))) {
                apply(*field, i);
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
    for (const ColumnName& column : columns) {
        QLineEdit* field = gridField(window, column(k));
        if (field != nullptr && field->text() == QLatin1String(Placeholder)) {
            field->setText(QStringLiteral("0"));
        }
    }
    if (QLineEdit* reference = gridField(window, field::reference(k))) {
        reference->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace tamrel
