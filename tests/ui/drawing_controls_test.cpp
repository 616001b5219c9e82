#include "window_fixture.h"

#include "conversion/compute_run.h"
#include "geometry/angles.h"
#include "ui/arcinv_message.h"
#include "ui/pic_gear.h"

#include <QCheckBox>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <stdexcept>

namespace tamrel::test {
namespace {

class DrawingControlsTest : public WindowTest {
protected:
    void click(const char* name) {
        auto* box = control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        settle();
    }
    PicGear* picture() const { return control<PicGear>("PicGEAR"); }
    bool pictureIsBlank() const {
        const QImage& image = picture()->image();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != image.pixel(0, 0)) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(DrawingControlsTest, Check3SwitchesTheTimerAndCheck2) {
    // State: a computed gear drawn by the timer.
    clickCompute();
    QTest::qWait(100);
    EXPECT_FALSE(pictureIsBlank());

    // Action: uncheck Draw. Expected: no timer, empty picture, Rotate disabled but still checked.
    click("Check3");
    EXPECT_FALSE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_TRUE(pictureIsBlank());
    EXPECT_FALSE(control<QCheckBox>("Check2")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("Check2")->isChecked());
    QTest::qWait(60);
    EXPECT_TRUE(pictureIsBlank());

    click("Check3");
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_TRUE(control<QCheckBox>("Check2")->isEnabled());
    QTest::qWait(100);
    EXPECT_FALSE(pictureIsBlank());
}

TEST_F(DrawingControlsTest, Check1ChoosesWhoWritesTheDiameters) {
    click("Check1");
    EXPECT_TRUE(lineEdit("TextDKG")->isEnabled());
    EXPECT_TRUE(lineEdit("TextDRG")->isEnabled());
    lineEdit("TextDKG")->setText("210");
    clickCompute();
    EXPECT_EQ(lineEdit("TextDKG")->text(), "210");

    click("Check1");
    EXPECT_FALSE(lineEdit("TextDKG")->isEnabled());
    EXPECT_FALSE(lineEdit("TextDRG")->isEnabled());
    EXPECT_EQ(lineEdit("TextDKG")->text(), "210");
    clickCompute();
    EXPECT_NE(lineEdit("TextDKG")->text(), "210");
}

TEST_F(DrawingControlsTest, RunFitsThePictureAndDragsPanIt) {
    clickCompute();
    const UserScale fitted = picture()->userScale();
    EXPECT_EQ(fitted.height, -232.0F);
    EXPECT_NEAR(fitted.width, 513.0 * 232 / 257, 1e-3);
    EXPECT_EQ(window_->pictureOuterWidth(), 513);
    EXPECT_EQ(window_->pictureOuterHeight(), 257);

    emit picture()->mousePressed(1, 10, 20);
    emit picture()->mouseMoved(1, 15, 18);
    EXPECT_FLOAT_EQ(picture()->userScale().left, fitted.left - 5);
    EXPECT_FLOAT_EQ(picture()->userScale().top, fitted.top + 2);
}

TEST_F(DrawingControlsTest, ArcinvFailureShowsTheModalMessage) {
    dialogsExpected_ = true;
    ARCINV(NAN);
    ASSERT_EQ(dialogs_.size(), 1U);
    EXPECT_EQ(dialogs_[0].text, ArcinvFailureText);
    EXPECT_EQ(dialogs_[0].title, "Tamrel");
    EXPECT_EQ(dialogs_[0].buttonCount, 1);

    // Without a window nothing is shown.
    window_.reset();
    ARCINV(NAN);
    EXPECT_EQ(dialogs_.size(), 1U);
}

TEST_F(DrawingControlsTest, AFailureInsideARunLeavesTheWindowUsable) {
    duringRun_ = [] { throw std::overflow_error("overflow"); };
    clickCompute();
    EXPECT_EQ(lineEdit("TextError")->text(), CalculationFailedMessage);
    duringRun_ = nullptr;
    clickCompute();
    EXPECT_EQ(lineEdit("TextError")->text(), "");
    EXPECT_EQ(runs_, 2);
}

class WrongInputTest : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WrongInputTest, NeverBreaksTheWindow) {
    // Action: the text in each gear-data field and the W row in turn, compute, let the timer draw.
    for (const char* name : {"TextMN", "TextPN", "TextZG", "TextBOG", "TextZMG", "TextDPG",
                             "TextS(1)", "TextS1(1)", "TextS2(1)"}) {
        const std::string sound = window_->text(name);
        window_->setText(name, GetParam());
        clickCompute();
        QTest::qWait(25);
        window_->setText(name, sound);
    }
    // Expected: the same window still converts sound values.
    clickCompute();
    EXPECT_EQ(lineEdit("TextError")->text(), "");
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
}

INSTANTIATE_TEST_SUITE_P(Texts, WrongInputTest,
                         ::testing::Values("", "abc", "---", "0", "-0", "1e308", "-1e308", "1e-320",
                                           "nan", "inf", "99999", "-32768", "1,5", " 7 ", "1e400"));

}  // namespace
}  // namespace tamrel::test
