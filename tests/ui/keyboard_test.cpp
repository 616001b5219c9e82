#include "window_fixture.h"

#include <QSignalSpy>

namespace tamrel::test {
namespace {

using KeyboardTest = WindowTest;

TEST_F(KeyboardTest, TabWalksEveryFocusableControlAndArrowsSelectAnotherRow) {
    // Disabled rows, TextDKG/TextDRG and the unselected option buttons are skipped; a field
    // entered without all of its text selected would show a "?".
    QStringList visited;
    do {
        press(Qt::Key_Tab);
        const auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        visited << focusedName() + (edit && edit->selectedText() != edit->text() ? "?" : "");
    } while (focusedName() != "TextMN" && visited.size() < 40);
    EXPECT_EQ(visited.join(' '), "TextPN TextZG TextBOG TextZMG TextDPG TextS(1) TextS1(1) "
                                 "TextS2(1) ComGo OptS(1) TextSXn TextSW TextSM TextSSn TextSXn1 "
                                 "TextSW1 TextSM1 TextSSn1 TextSXn2 TextSW2 TextSM2 TextSSn2 "
                                 "TextError OptLan(0) PicGEAR Check1 Check3 Check2 TextMN");

    // Down from W selects M and raises its click, which enables M's row and focuses it.
    QSignalSpy clicksOnM(control<QAbstractButton>("OptS(2)"), &QAbstractButton::clicked);
    control<QWidget>("OptS(1)")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    EXPECT_EQ(clicksOnM.count(), 1);
    EXPECT_TRUE(lineEdit("TextS(2)")->isEnabled());
    EXPECT_EQ(focusedName(), "TextS(2)");
    // Now Tab from TextDPG reaches M's reference value, all of it selected.
    lineEdit("TextDPG")->setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "TextS(2)");
    EXPECT_EQ(lineEdit("TextS(2)")->selectedText(), "200.7889");
}

TEST_F(KeyboardTest, EnterRunsTheConversionExactlyOnce) {
    // A gear-data field, a reference field, a result field, TextError and a button.
    for (const char* name : {"TextMN", "TextS2(1)", "TextSW", "TextError", "Check3"}) {
        const int before = runs_;
        control<QWidget>(name)->setFocus(Qt::OtherFocusReason);
        press(Qt::Key_Return);
        EXPECT_EQ(runs_, before + 1) << name;
    }
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(runs_, 6);
    // An Enter that arrives during a run starts no second one.
    duringRun_ = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    press(Qt::Key_Return);
    EXPECT_EQ(runs_, 7);
}

QPoint middleOfText(const QLineEdit& edit) {
    return {edit.fontMetrics().horizontalAdvance(edit.text()) / 2 + 3, edit.height() / 2};
}

TEST_F(KeyboardTest, ClickLeavesACaretInTheFocusedGearFieldAndSelectsAReferenceEveryTime) {
    QLineEdit* mn = lineEdit("TextMN");  // focused at start
    QTest::mouseClick(mn, Qt::LeftButton, {}, middleOfText(*mn));
    settle();
    EXPECT_FALSE(mn->hasSelectedText());
    EXPECT_GT(mn->cursorPosition(), 0);
    EXPECT_LT(mn->cursorPosition(), 5);
    // The focus coming back with the window keeps that caret.
    QFocusEvent activation(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(mn, &activation);
    EXPECT_FALSE(mn->hasSelectedText());

    QLineEdit* w = lineEdit("TextS(1)");
    for (int click = 0; click < 3; ++click) {
        // From the second round on the field has the focus with a bare caret.
        QTest::mouseClick(w, Qt::LeftButton, {}, middleOfText(*w));
        settle();
        EXPECT_TRUE(w->hasFocus());
        EXPECT_EQ(w->selectedText(), "72.8801") << click;
        w->setCursorPosition(3);
    }
}

}  // namespace
}  // namespace tamrel::test
