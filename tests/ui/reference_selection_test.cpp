#include "window_fixture.h"

#include "ui/field_style.h"

namespace tamrel::test {
namespace {

using ReferenceSelectionTest = WindowTest;

std::array<Field, 3> rowNames(int quantity) {
    return {reference(quantity), upperTolerance(quantity), lowerTolerance(quantity)};
}

TEST_F(ReferenceSelectionTest, SelectedRowBecomesTheRedEditableFocusedRow) {
    for (int k : {0, 3, 2, 1}) {
        clickButton(QString("OptS(%1)").arg(k));
        for (Quantity i : Quantities) {
            for (Field name : rowNames(i)) {
                EXPECT_EQ(lineEdit(name)->isEnabled(), i == k) << name << " k=" << k;
                EXPECT_EQ(textColor(*lineEdit(name)), i == k ? FieldRed : FieldBlack) << name;
            }
        }
        EXPECT_EQ(focusedName().toStdString(), fieldName(reference(k)));
        EXPECT_EQ(lineEdit(reference(k))->selectedText(), lineEdit(reference(k))->text());
    }
    EXPECT_EQ(runs_, 0);
}

TEST_F(ReferenceSelectionTest, OnlyExactPlaceholdersBecomeZero) {
    struct Case {
        int quantity;
        std::array<const char*, 3> before, after;
    };
    for (const Case& c : {Case{2, {"---", "---", "---"}, {"0", "0", "0"}},
                          Case{3, {"4.6533", " ---", "---"}, {"4.6533", " ---", "0"}},
                          Case{0, {"", "--", "---0"}, {"", "--", "---0"}}}) {
        for (int column = 0; column < 3; ++column) {
            window_->setText(rowNames(c.quantity)[column], c.before[column]);
        }
        clickButton(QString("OptS(%1)").arg(c.quantity));
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(window_->text(rowNames(c.quantity)[column]), c.after[column]) << c.quantity;
        }
    }
}

}  // namespace
}  // namespace tamrel::test
