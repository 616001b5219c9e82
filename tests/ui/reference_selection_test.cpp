#include "window_fixture.h"

#include "ui/field_style.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace tamrel::test {
namespace {

class ReferenceSelectionTest : public WindowTest {
protected:
    void select(int quantity) {
        auto* button = control<QRadioButton>(QString("OptS(%1)").arg(quantity));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        settle();
    }
    QStringList row(int i) const {
        return {lineEdit(field::reference(i))->text(), lineEdit(field::upperTolerance(i))->text(),
                lineEdit(field::lowerTolerance(i))->text()};
    }
};

TEST_F(ReferenceSelectionTest, SelectedRowBecomesTheRedEditableInputRow) {
    for (int k : {0, 3, 2, 1}) {
        select(k);
        for (int i = 0; i < 4; ++i) {
            for (const std::string& name :
                 {field::reference(i), field::upperTolerance(i), field::lowerTolerance(i)}) {
                EXPECT_EQ(lineEdit(name)->isEnabled(), i == k) << name << " k=" << k;
                EXPECT_EQ(textColor(*lineEdit(name)), i == k ? FieldRed : FieldBlack) << name;
            }
        }
        EXPECT_EQ(focusedName().toStdString(), field::reference(k));
        EXPECT_EQ(lineEdit(field::reference(k))->cursorPosition(), 0);
        EXPECT_EQ(lineEdit(field::reference(k))->selectedText(),
                  lineEdit(field::reference(k))->text());
    }
}

TEST_F(ReferenceSelectionTest, StartTextsStayWhenSelectedBeforeAnyRun) {
    select(0);
    EXPECT_EQ(row(0), QStringList({"-0.1445", "0", "0"}));
    EXPECT_EQ(row(1), QStringList({"72.8801", "0", "0"}));
    EXPECT_EQ(runs_, 0);
}

TEST_F(ReferenceSelectionTest, OnlyExactPlaceholdersBecomeZero) {
    window_->setText(field::reference(2), "---");
    window_->setText(field::upperTolerance(2), "---");
    window_->setText(field::lowerTolerance(2), "---");
    window_->setText(field::reference(3), "4.6533");
    window_->setText(field::upperTolerance(3), " ---");
    window_->setText(field::lowerTolerance(3), "---");
    window_->setText(field::reference(0), "");

    select(2);
    EXPECT_EQ(row(2), QStringList({"0", "0", "0"}));
    EXPECT_EQ(lineEdit(field::reference(2))->selectedText(), "0");
    select(3);
    EXPECT_EQ(row(3), QStringList({"4.6533", " ---", "0"}));
    select(0);
    EXPECT_EQ(lineEdit(field::reference(0))->text(), "");
}

TEST_F(ReferenceSelectionTest, ConvertedValuesBecomeTheNextReference) {
    // State: a run from W. Action: select M. Expected: M row editable with the computed values,
    // W row kept but disabled; nothing recomputed.
    clickCompute();
    const QStringList computedM = row(2);
    ASSERT_FALSE(computedM.contains("---"));
    select(2);
    EXPECT_EQ(row(2), computedM);
    EXPECT_EQ(row(1), QStringList({"72.8801", "0", "0"}));
    EXPECT_FALSE(lineEdit(field::reference(1))->isEnabled());
    EXPECT_EQ(runs_, 1);

    // Without a pin diameter the run leaves the M row empty; selecting it gives zeros.
    select(1);
    window_->setText(field::DPG, "");
    clickCompute();
    EXPECT_EQ(row(2), QStringList({"---", "---", "---"}));
    select(2);
    EXPECT_EQ(row(2), QStringList({"0", "0", "0"}));
}

TEST_F(ReferenceSelectionTest, ClickOnTheSelectedButtonOnlyMovesTheFocus) {
    auto* w = control<QRadioButton>("OptS(1)");
    QSignalSpy clicks(w, &QAbstractButton::clicked);
    lineEdit(field::upperTolerance(1))->setText("0.1");
    select(1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(w->isChecked());
    EXPECT_EQ(row(1), QStringList({"72.8801", "0.1", "0"}));
    EXPECT_EQ(focusedName(), "TextS(1)");
}

}  // namespace
}  // namespace tamrel::test
