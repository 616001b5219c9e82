#include "window_fixture.h"

#include "geometry/angles.h"

#include <cmath>

namespace tamrel::test {
namespace {

using DrawingControlsTest = WindowTest;

// How many pixels of the colour lie between two radii about the centre of the user coordinates.
int pixelsBetween(const PicGear& picture, double low, double high, QRgb colour) {
    const UserScale s = picture.userScale();
    const QImage& image = picture.image();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double r = std::hypot(s.left + (x + 0.5) * s.width / image.width(),
                                        s.top + (y + 0.5) * s.height / image.height());
            count += image.pixel(x, y) == colour && r >= low && r <= high ? 1 : 0;
        }
    }
    return count;
}

const QRgb Blue = qRgb(0, 0, 255), Black = qRgb(0, 0, 0);

TEST_F(DrawingControlsTest, PictureShowsTheGearFromTheFirstSuccessfulRunOn) {
    // Nothing before a run has succeeded, not even after a failed one.
    tick(5);
    EXPECT_TRUE(pictureIsBlank());
    window_->setText(Field::ZG, "0");
    clickButton("ComGo");
    tick(5);
    EXPECT_TRUE(pictureIsBlank());

    window_->setText(Field::ZG, "59");
    clickButton("ComGo");
    tick();
    // The tip circle (diameter 200.2831) in blue; black flanks between the root circle
    // (185.9956) and the reference circle (about 194).
    EXPECT_GT(pixelsBetween(*picture(), 99, 101.3, Blue), 400);
    EXPECT_GT(pixelsBetween(*picture(), 93.5, 96, Black), 200);

    // Check1 off: typed diameters show at the next tick.
    clickButton("Check1");
    EXPECT_TRUE(lineEdit(Field::DKG)->isEnabled() && lineEdit(Field::DRG)->isEnabled());
    window_->setText(Field::DKG, "220");
    EXPECT_EQ(pixelsBetween(*picture(), 109, 111.3, Blue), 0);
    tick();
    EXPECT_GT(pixelsBetween(*picture(), 109, 111.3, Blue), 400);
    clickButton("Check1");
    EXPECT_FALSE(lineEdit(Field::DKG)->isEnabled() || lineEdit(Field::DRG)->isEnabled());
}

TEST_F(DrawingControlsTest, PanCheck2TurnsAndCheck3Draws) {
    clickButton("ComGo");
    // A left drag from (10, 20) to (15, 18) pans the view.
    const UserScale fitted = picture()->userScale();
    emit picture()->mousePressed(1, 10, 20);
    emit picture()->mouseMoved(1, 15, 18);
    EXPECT_FLOAT_EQ(picture()->userScale().left, fitted.left - 5);
    EXPECT_FLOAT_EQ(picture()->userScale().top, fitted.top + 2);

    // Check2 on: a milliradian per tick; off: the gear stands.
    ASSERT_NE(state_, nullptr);
    tick(1000);
    EXPECT_NEAR(state_->rotationAngle, 1.0, 0.01);
    clickButton("Check2");
    const float stopped = state_->rotationAngle;
    tick(100);
    EXPECT_EQ(state_->rotationAngle, stopped);

    // Check3 off: no timer, an empty picture at once, Check2 disabled.
    clickButton("Check3");
    EXPECT_FALSE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_TRUE(pictureIsBlank());
    EXPECT_FALSE(control<QAbstractButton>("Check2")->isEnabled());
    clickButton("Check3");
    EXPECT_TRUE(control<QAbstractButton>("Check2")->isEnabled());
    tick();
    EXPECT_FALSE(pictureIsBlank());

    // Every run resets the turn, a failed one too.
    window_->setText(Field::MN, "abc");
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::Error)->text(), "ERROR:MN was wrong!");
    EXPECT_EQ(state_->rotationAngle, 0.0F);
}

TEST_F(DrawingControlsTest, ArcinvFailureShowsTheModalMessage) {
    ARCINV(NAN);
    EXPECT_EQ(dialogs_, QStringList{"Error occurred in ARCINV function!"});
    dialogs_.clear();
}

}  // namespace
}  // namespace tamrel::test
