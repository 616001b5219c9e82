#include "ui/tab_order.h"

#include "conversion/fields.h"
#include "ui/control_table.h"

#include <QWidget>

namespace tamrel {

namespace {

std::vector<std::string> buildOrder() {
    std::vector<std::string> order;
    for (Field f : {Field::MN, Field::PN, Field::ZG, Field::BOG, Field::ZMG, Field::DPG}) {
        order.push_back(fieldName(f));
    }
    for (Quantity q : Quantities) {
        order.push_back(fieldName(reference(q)));
        order.push_back(fieldName(upperTolerance(q)));
        order.push_back(fieldName(lowerTolerance(q)));
    }
    order.push_back("ComGo");
    for (int i = 0; i < QuantityCount; ++i) {
        order.push_back(indexedName("OptS", i));
    }
    // The result fields column by column: middle, then max, then min, each from Xn to Sn.
    for (auto column : {middle, maximum, minimum}) {
        for (Quantity q : Quantities) {
            order.push_back(fieldName(column(q)));
        }
    }
    order.push_back(fieldName(Field::Error));
    for (int i = 2; i >= 0; --i) {
        order.push_back(indexedName("OptLan", i));
    }
    for (const char* name :
         {"PicGEAR", fieldName(Field::DKG), fieldName(Field::DRG), "Check1", "Check3", "Check2"}) {
        order.push_back(name);
    }
    return order;
}

}  // namespace

const std::vector<std::string>& tabOrder() {
    static const std::vector<std::string> order = buildOrder();
    return order;
}

void applyTabOrder(QWidget& window) {
    QWidget* previous = nullptr;
    for (const std::string& name : tabOrder()) {
        QWidget* control = window.findChild<QWidget*>(QString::fromStdString(name));
        if (control == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace tamrel
