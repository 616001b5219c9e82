#include "window_fixture.h"

#include <QApplication>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace tamrel::test {
namespace {

using KeyboardTest = WindowTest;

TEST_F(KeyboardTest, TabVisitsEveryFocusableControlOnceAndWraps) {
    // State: start. Action: Tab from TextMN round the window. Expected: the tab order, with
    // the disabled rows, TextDKG/TextDRG and the unselected option buttons skipped.
    const QStringList expected{"TextPN",   "TextZG",    "TextBOG",   "TextZMG",   "TextDPG",
                               "TextS(1)", "TextS1(1)", "TextS2(1)", "ComGo",     "OptS(1)",
                               "TextSXn",  "TextSW",    "TextSM",    "TextSSn",   "TextSXn1",
                               "TextSW1",  "TextSM1",   "TextSSn1",  "TextSXn2",  "TextSW2",
                               "TextSM2",  "TextSSn2",  "TextError", "OptLan(0)", "PicGEAR",
                               "Check1",   "Check3",    "Check2",    "TextMN"};
    QStringList visited;
    for (int step = 0; step < expected.size(); ++step) {
        press(Qt::Key_Tab);
        visited << focusedName();
    }
    EXPECT_EQ(visited, expected);

    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), "Check2");
}

TEST_F(KeyboardTest, TabReachesTheRowOfANewlySelectedQuantity) {
    // Action: select M, go back to TextDPG, Tab. Expected: TextS(2), whole text, caret at start.
    QTest::mouseClick(control<QRadioButton>("OptS(2)"), Qt::LeftButton, {}, QPoint(6, 8));
    settle();
    lineEdit("TextDPG")->setFocus(Qt::MouseFocusReason);
    settle();
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "TextS(2)");
    EXPECT_EQ(lineEdit("TextS(2)")->selectedText(), "200.7889");
    EXPECT_EQ(lineEdit("TextS(2)")->cursorPosition(), 0);

    // The selected option button is the group's only tab stop.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "OptS(2)");
}

TEST_F(KeyboardTest, ArrowKeysMoveTheSelectionAndRaiseOneClick) {
    auto* w = control<QRadioButton>("OptS(1)");
    auto* m = control<QRadioButton>("OptS(2)");
    auto* xn = control<QRadioButton>("OptS(0)");
    auto* sn = control<QRadioButton>("OptS(3)");
    QSignalSpy clicksOnM(m, &QAbstractButton::clicked);
    w->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    EXPECT_TRUE(m->isChecked());
    EXPECT_EQ(clicksOnM.count(), 1);
    // The click handling moved the focus to M's reference value.
    EXPECT_EQ(focusedName(), "TextS(2)");
    EXPECT_TRUE(lineEdit("TextS(2)")->isEnabled());

    // Up from the first button goes round to the last.
    xn->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Up);
    EXPECT_FALSE(xn->isChecked());
    EXPECT_TRUE(sn->isChecked());
    EXPECT_EQ(focusedName(), "TextS(3)");
}

class EnterKeyTest : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EnterKeyTest, RunsTheConversionExactlyOnce) {
    // State: the focus on the control. Action: Enter. Expected: one run, and the key still
    // reaches the control.
    QWidget* target = control<QWidget>(GetParam());
    target->setFocus(Qt::OtherFocusReason);
    settle();
    auto* edit = qobject_cast<QLineEdit*>(target);
    std::unique_ptr<QSignalSpy> returns;
    if (edit != nullptr) {
        returns = std::make_unique<QSignalSpy>(edit, &QLineEdit::returnPressed);
    }
    press(Qt::Key_Return);
    EXPECT_EQ(runs_, 1);
    EXPECT_EQ(lineEdit("TextError")->text(), "");
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    if (returns) {
        EXPECT_EQ(returns->count(), 1);
    }
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(runs_, 2);
}

INSTANTIATE_TEST_SUITE_P(AnyFocusedControl, EnterKeyTest,
                         ::testing::Values("TextMN", "TextDPG", "TextS(1)", "TextS2(1)", "TextSW",
                                           "TextSSn2", "TextError", "ComGo", "OptS(1)", "PicGEAR",
                                           "Check3"));

TEST_F(KeyboardTest, EnterDuringARunStartsNoSecondRun) {
    duringRun_ = [this] { QTest::keyClick(focused(), Qt::Key_Return); };
    press(Qt::Key_Return);
    EXPECT_EQ(runs_, 1);
}

TEST_F(KeyboardTest, OtherKeysRunNothing) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F1, Qt::Key_Space, Qt::Key_A}) {
        press(key);
    }
    EXPECT_EQ(runs_, 0);
}

QPoint middleOfText(const QLineEdit& edit) {
    return {edit.fontMetrics().horizontalAdvance(edit.text()) / 2 + 3, edit.height() / 2};
}

TEST_F(KeyboardTest, ClickIntoAReferenceFieldSelectsItAllEveryTime) {
    QLineEdit* w = lineEdit("TextS(1)");
    for (int click = 0; click < 3; ++click) {
        // State: from the second round on the field has the focus with a bare caret.
        QTest::mouseClick(w, Qt::LeftButton, {}, middleOfText(*w));
        settle();
        EXPECT_TRUE(w->hasFocus());
        EXPECT_EQ(w->selectedText(), "72.8801") << click;
        EXPECT_EQ(w->cursorPosition(), 0) << click;
        w->setCursorPosition(3);
    }
}

TEST_F(KeyboardTest, SelectionFollowsQtsOwnHandlingOfThePress) {
    // Qt places the caret at the press after the focus has arrived; the selection must win.
    QLineEdit* w = lineEdit("TextS1(1)");
    w->setText("0.025");
    QTest::mousePress(w, Qt::LeftButton, {}, middleOfText(*w));
    settle();
    EXPECT_EQ(w->selectedText(), "0.025");
    EXPECT_EQ(w->cursorPosition(), 0);
    QTest::mouseRelease(w, Qt::LeftButton, {}, middleOfText(*w));
}

TEST_F(KeyboardTest, ClickIntoAFocusedGearFieldLeavesACaret) {
    QLineEdit* mn = lineEdit("TextMN");
    ASSERT_TRUE(mn->hasFocus());
    QTest::mouseClick(mn, Qt::LeftButton, {}, middleOfText(*mn));
    settle();
    EXPECT_FALSE(mn->hasSelectedText());
    EXPECT_GT(mn->cursorPosition(), 0);
    EXPECT_LT(mn->cursorPosition(), 5);
}

TEST_F(KeyboardTest, EnteringAGearFieldSelectsAllWithTheCaretAtTheEnd) {
    lineEdit("TextMN")->setCursorPosition(1);
    lineEdit("TextBOG")->setFocus(Qt::OtherFocusReason);
    settle();
    EXPECT_EQ(lineEdit("TextBOG")->selectedText(), "15");
    EXPECT_EQ(lineEdit("TextBOG")->cursorPosition(), 2);

    // The focus coming back with the window keeps the user's caret.
    lineEdit("TextBOG")->setCursorPosition(1);
    QFocusEvent activation(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(lineEdit("TextBOG"), &activation);
    EXPECT_FALSE(lineEdit("TextBOG")->hasSelectedText());
}

}  // namespace
}  // namespace tamrel::test
