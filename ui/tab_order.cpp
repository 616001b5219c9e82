#include "ui/tab_order.h"

#include "conversion/field_names.h"
#include "ui/control_table.h"

#include <QWidget>

namespace tamrel {

namespace {

std::vector<std::string> buildOrder() {
    std::vector<std::string> order{field::MN,  field::PN,  field::ZG,
                                   field::BOG, field::ZMG, field::DPG};
    for (int i = 0; i < QuantityCount; ++i) {
        order.push_back(field::reference(i));
        order.push_back(field::upperTolerance(i));
        order.push_back(field::lowerTolerance(i));
    }
    order.push_back("ComGo");
    for (int i = 0; i < QuantityCount; ++i) {
        order.push_back(indexedName("OptS", i));
    }
    // The result fields column by column: middle, then max, then min, each from Xn to Sn.
    for (int column = 0; column < 3; ++column) {
        for (int i = 0; i < QuantityCount; ++i) {
            order.push_back(field::results[i][column]);
        }
    }
    order.push_back(field::Error);
    for (int i = 2; i >= 0; --i) {
        order.push_back(indexedName("OptLan", i));
    }
    for (const char* name : {"PicGEAR", field::DKG, field::DRG, "Check1", "Check3", "Check2"}) {
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
