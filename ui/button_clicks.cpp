#include "ui/button_clicks.h"

#include <QCheckBox>
#include <QRadioButton>

namespace tamrel {

void selectOption(QRadioButton& button) {
    button.setChecked(true);
    emit button.clicked(true);
}

void setCheckValue(QCheckBox& box, bool checked) {
    if (box.isChecked() == checked) {
        return;
    }
    box.setChecked(checked);
    emit box.clicked(checked);
}

}  // namespace tamrel
