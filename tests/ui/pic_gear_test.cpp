#include "ui/pic_gear.h"

#include "../drawing/recording_canvas.h"
#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "drawing/view.h"
#include "picture_pixels.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace tamrel {
namespace {

using namespace test;

// One unit per pixel, y upward, origin on the pixel in the middle of the inner area.
void useCentredYUpPixels(PicGear& pic) {
    pic.setUserScale({-254, 126, 509, -253});
}

TEST(PicGear, StartsWithThePixelGridOfTheInnerAreaAndTheWindowTextPen) {
    PicGear pic;
    EXPECT_EQ(pic.objectName(), "PicGEAR");
    EXPECT_EQ(pic.size(), QSize(513, 257));
    const UserScale scale = pic.userScale();
    EXPECT_EQ(scale.left, 0);
    EXPECT_EQ(scale.top, 0);
    EXPECT_EQ(scale.width, InnerWidth);
    EXPECT_EQ(scale.height, InnerHeight);
    ASSERT_EQ(pic.image().size(), QSize(InnerWidth, InnerHeight));

    pic.plotPoint(10, 20);
    const auto drawn = drawnPixels(pic.image(), backgroundOf(pic));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], QPoint(10, 20));
    EXPECT_EQ(pic.image().pixel(10, 20), pic.palette().color(QPalette::WindowText).rgb());
}

TEST(PicGear, MapsUserCoordinatesOntoTheInnerArea) {
    PicGear pic;
    useCentredYUpPixels(pic);
    pic.setPenColor(Blue);
    pic.plotPoint(-10, 0);
    pic.lineTo(10, 0);
    auto drawn = drawnPixels(pic.image(), backgroundOf(pic));
    ASSERT_EQ(drawn.size(), 20u);  // the flat-capped line leaves out its far end
    for (const QPoint& p : drawn) {
        EXPECT_EQ(p.y(), 126);
        EXPECT_GE(p.x(), 244);
        EXPECT_LE(p.x(), 263);
    }

    // 100 by 50 units, y up: (25, -12.5) sits three quarters across and down.
    pic.clear();
    pic.setCorners(-50, 25, 50, -25);
    pic.plotPoint(25, -12.5f);
    drawn = drawnPixels(pic.image(), backgroundOf(pic));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0], QPoint(382, 190));
}

TEST(PicGear, DrawsInThePenColourAndClearKeepsThePen) {
    PicGear pic;
    pic.setPenColor(0xFF0000);
    pic.plotPoint(10, 10);
    pic.lineTo(40, 10);
    pic.setPenColor(Blue);
    pic.plotPoint(10, 30);
    pic.lineTo(40, 30);
    EXPECT_EQ(pic.image().pixel(25, 10), qRgb(255, 0, 0));
    EXPECT_EQ(pic.image().pixel(25, 30), qRgb(0, 0, 255));
    EXPECT_EQ(drawnPixels(pic.image(), backgroundOf(pic)).size(), 60u);

    pic.clear();
    EXPECT_TRUE(drawnPixels(pic.image(), backgroundOf(pic)).empty());
    pic.plotPoint(5, 5);
    EXPECT_EQ(pic.image().pixel(5, 5), qRgb(0, 0, 255));
}

TEST(PicGear, ShowsItsImageInsideTheBorder) {
    PicGear pic;
    pic.setPenColor(Blue);
    pic.plotPoint(0, 0);
    pic.lineTo(508, 252);
    const QImage shown = pic.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(2, 2, InnerWidth, InnerHeight), pic.image());
}

TEST(PicGear, ReportsMouseButtonsAndUserCoordinates) {
    PicGear pic;
    useCentredYUpPixels(pic);
    QSignalSpy pressed(&pic, &PicGear::mousePressed);
    QSignalSpy moved(&pic, &PicGear::mouseMoved);
    auto send = [&pic](QEvent::Type type, QPoint inner, Qt::MouseButton button,
                       Qt::MouseButtons held) {
        const QPointF local = inner + QPoint(2, 2);
        QMouseEvent event(type, local, pic.mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&pic, &event);
    };
    send(QEvent::MouseButtonPress, {264, 116}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {254, 136}, Qt::NoButton, Qt::RightButton);
    send(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    send(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::MiddleButton);
    send(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);

    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 1);
    EXPECT_FLOAT_EQ(pressed[0][1].toFloat(), 10);
    EXPECT_FLOAT_EQ(pressed[0][2].toFloat(), 10);
    ASSERT_EQ(moved.size(), 4);
    EXPECT_EQ(moved[0][0].toInt(), 2);
    EXPECT_FLOAT_EQ(moved[0][1].toFloat(), 0);
    EXPECT_FLOAT_EQ(moved[0][2].toFloat(), -10);
    EXPECT_EQ(moved[1][0].toInt(), 3);
    EXPECT_EQ(moved[2][0].toInt(), 4);
    EXPECT_EQ(moved[3][0].toInt(), 0);
}

TEST(PicGear, FarOffAndInvalidCoordinatesDrawOnlyWhatCrossesThePicture) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PicGear pic;
    const QRgb background = backgroundOf(pic);
    pic.plotPoint(nan, 5);
    pic.lineTo(20, 20);
    pic.lineTo(inf, 20);
    pic.lineTo(-inf, inf);
    pic.plotPoint(1e30f, 1e30f);
    pic.lineTo(2e30f, -1e30f);
    EXPECT_TRUE(drawnPixels(pic.image(), background).empty());

    // A line whose ends lie 1e30 away still crosses the picture exactly where it should.
    pic.plotPoint(-1e30f, 100);
    pic.lineTo(1e30f, 100);
    auto drawn = drawnPixels(pic.image(), background);
    ASSERT_EQ(drawn.size(), std::size_t(InnerWidth));
    for (const QPoint& p : drawn)
        EXPECT_EQ(p.y(), 100);

    pic.clear();
    pic.plotPoint(-1e30f, -1e30f);
    pic.lineTo(1e30f, 1e30f);
    drawn = drawnPixels(pic.image(), background);
    ASSERT_EQ(drawn.size(), std::size_t(InnerHeight));
    for (const QPoint& p : drawn)
        EXPECT_EQ(p.x(), p.y());

    // A scale without extent or with an enormous magnification.
    pic.clear();
    pic.setUserScale({0, 0, 0, 0});
    pic.plotPoint(1, 1);
    pic.lineTo(2, 2);
    pic.setUserScale({0, 0, 1e-30f, 1e-30f});
    pic.plotPoint(1, 1);
    pic.lineTo(-1, 2);
    EXPECT_TRUE(drawnPixels(pic.image(), background).empty());
}

// The pixels of the line from (x1, y1) to (x2, y2) alone, one unit per pixel: its start is
// plotted in red, the line drawn over it in blue.
Pixels linePixels(float x1, float y1, float x2, float y2) {
    PicGear pic;
    pic.setPenColor(0xFF0000);
    pic.plotPoint(x1, y1);
    pic.setPenColor(Blue);
    pic.lineTo(x2, y2);
    return pixelsIn(pic.image(), qRgb(0, 0, 255));
}

Pixels row(int y, int fromX, int toX) {
    Pixels p;
    for (int x = fromX; x <= toX; ++x)
        p.emplace_back(x, y);
    return p;
}

Pixels sortedByRow(Pixels p) {
    std::sort(p.begin(), p.end(), [](QPoint a, QPoint b) {
        return std::make_pair(a.y(), a.x()) < std::make_pair(b.y(), b.x());
    });
    return p;
}

// Pixel k spans [k - 0.5, k + 0.5); a line covers the pixels of its major axis from the lower
// end's up to, not including, the higher end's, whichever way it runs.
TEST(PicGearLines, CoverTheirMajorAxisFromTheLowerEndUpToTheHigherOne) {
    EXPECT_EQ(linePixels(10, 10, 20, 10), row(10, 10, 19));
    EXPECT_EQ(linePixels(20, 10, 10, 10), row(10, 10, 19));
    EXPECT_EQ(linePixels(10.6f, 10, 20.6f, 10), row(10, 11, 20));
    EXPECT_EQ(linePixels(10.4f, 10.6f, 20.4f, 10.6f), row(10, 10, 19));  // minor axis floored
    Pixels column;
    for (int y = 10; y <= 19; ++y)
        column.emplace_back(10, y);
    EXPECT_EQ(linePixels(10.6f, 10, 10.6f, 20), column);
    EXPECT_EQ(linePixels(10.6f, 20, 10.6f, 10), column);
}

// y follows the line at the right edge of each pixel while it grows and at the pixel's centre
// while it falls, then is floored: y = 10 + 0.3 (x + 0.5 - 10) and y = 13 - 0.3 (x - 10).
TEST(PicGearLines, FollowTheMinorAxisAsWorkedOutByHand) {
    const Pixels rising = {{10, 10}, {11, 10}, {12, 10}, {13, 11}, {14, 11},
                           {15, 11}, {16, 11}, {17, 12}, {18, 12}, {19, 12}};
    EXPECT_EQ(sortedByRow(linePixels(10, 10, 20, 13)), rising);
    EXPECT_EQ(sortedByRow(linePixels(20, 13, 10, 10)), rising);
    const Pixels falling = {{17, 10}, {18, 10}, {19, 10}, {14, 11}, {15, 11},
                            {16, 11}, {11, 12}, {12, 12}, {13, 12}, {10, 13}};
    EXPECT_EQ(sortedByRow(linePixels(10, 13, 20, 10)), falling);
    const Pixels steep = {{10, 10}, {10, 11}, {10, 12}, {11, 13}, {11, 14},
                          {11, 15}, {11, 16}, {12, 17}, {12, 18}, {12, 19}};
    EXPECT_EQ(linePixels(10, 10, 13, 20), steep);
    Pixels diagonal;
    for (int i = 10; i <= 19; ++i)
        diagonal.emplace_back(i, i);
    EXPECT_EQ(linePixels(10, 10, 20, 20), diagonal);
}

TEST(PicGearLines, InsideOnePixelDrawNothingAndWithCoincidentEndsADot) {
    EXPECT_TRUE(linePixels(10.1f, 10, 10.3f, 10).empty());
    EXPECT_TRUE(linePixels(10.1f, 10.2f, 10.4f, 9.6f).empty());
    EXPECT_EQ(linePixels(10.4f, 10, 10.6f, 10), Pixels{QPoint(10, 10)});
    EXPECT_EQ(linePixels(30.3f, 40.7f, 30.3f, 40.7f), Pixels{QPoint(30, 41)});
    // Plotting rounds both coordinates.
    PicGear pic;
    pic.plotPoint(10.49f, 10.5f);
    EXPECT_EQ(drawnPixels(pic.image(), backgroundOf(pic)), Pixels{QPoint(10, 11)});
}

TEST(PicGearLines, AreClippedToThePicture) {
    EXPECT_EQ(linePixels(-50.5f, 5, 50, 5), row(5, 0, 49));
    EXPECT_EQ(linePixels(500, 100, 600, 100), row(100, 500, 508));
    EXPECT_EQ(linePixels(7, -100, 7, 400).size(), std::size_t(InnerHeight));
    Pixels diagonal;
    for (int i = 0; i <= 9; ++i)
        diagonal.emplace_back(i, i);
    EXPECT_EQ(linePixels(-10, -10, 10, 10), diagonal);
    EXPECT_TRUE(linePixels(-5, -5, -1, 300).empty());
    EXPECT_TRUE(linePixels(600, 10, 700, 20).empty());
}

TEST(PicGear, ACopyOfTheImageKeepsWhatItShowed) {
    PicGear pic;
    pic.plotPoint(10, 10);
    const QImage copy = pic.image();
    pic.plotPoint(20, 20);
    pic.lineTo(40, 20);
    EXPECT_EQ(copy.pixel(20, 20), backgroundOf(pic));
    EXPECT_EQ(drawnPixels(copy, backgroundOf(pic)).size(), 1u);
    EXPECT_EQ(drawnPixels(pic.image(), backgroundOf(pic)).size(), 21u);
}

// The default gear after a compute run, drawn by one tick onto the picture, against the points
// of its construction.
class DefaultGearPicture : public ::testing::Test {
protected:
    void SetUp() override {
        MemoryFieldStore store;
        runConversion(store, state_, NumberLocale{});
        ASSERT_EQ(store.text(Field::Error), "");
        const auto& c = store.coordinates();
        pic_.setCorners(c.x1, c.y1, c.x2, c.y2);
        tip_ = store.text(Field::DKG);
        root_ = store.text(Field::DRG);
        ProgramState ticking = state_;
        drawingTick(pic_, ticking, {false, tip_, root_}, NumberLocale{});
        drawingTick(recorded_, state_, {false, tip_, root_}, NumberLocale{});
    }
    // The user coordinates of a pixel's centre.
    QPointF userOf(QPoint pixel) const {
        const UserScale s = pic_.userScale();
        return {s.left + pixel.x() * double(s.width) / InnerWidth,
                s.top + pixel.y() * double(s.height) / InnerHeight};
    }
    // The pixel a point falls in, mapped as the picture maps it.
    QPoint pixelOf(float x, float y) const {
        const UserScale s = pic_.userScale();
        const double perUnitX = InnerWidth / double(s.width);
        const double perUnitY = InnerHeight / double(s.height);
        return {int(std::floor((double(x) - s.left) * perUnitX + 0.5)),
                int(std::floor((double(y) - s.top) * perUnitY + 0.5))};
    }
    // The user length of one pixel, the larger of its two sides.
    double pixelSize() const {
        const UserScale s = pic_.userScale();
        return std::max(std::abs(s.width / InnerWidth), std::abs(s.height / InnerHeight));
    }

    ProgramState state_;
    PicGear pic_;
    test::RecordingCanvas recorded_;
    std::string tip_;
    std::string root_;
};

TEST_F(DefaultGearPicture, BluePixelsLieOnTheTipAndRootCircles) {
    const double tipRadius = std::stod(tip_) / 2;
    const double rootRadius = std::stod(root_) / 2;
    const Pixels blue = pixelsIn(pic_.image(), qRgb(0, 0, 255));
    ASSERT_GT(blue.size(), 500u);
    int onTip = 0;
    for (QPoint p : blue) {
        const QPointF u = userOf(p);
        const double r = std::hypot(u.x(), u.y());
        // A line's pixels lie less than a pixel from it.
        const double near = 1.25 * pixelSize();
        const bool tip = std::abs(r - tipRadius) <= near;
        EXPECT_TRUE(tip || std::abs(r - rootRadius) <= near) << p.x() << ", " << p.y();
        onTip += tip ? 1 : 0;
    }
    // Round the whole tip circle: its length in pixels, less where the flanks end on it.
    EXPECT_GT(onTip, 0.8 * 2 * 3.14159 * tipRadius / pixelSize());
}

TEST_F(DefaultGearPicture, EveryFlankPointHasABlackPixelBesideIt) {
    const QImage& image = pic_.image();
    std::size_t flankPoints = 0;
    for (std::size_t n = 1 + 4 * 361 + 2 + 1; n < recorded_.calls.size(); ++n) {
        const auto& call = recorded_.calls[n];
        ASSERT_EQ(call.pen, Black);
        const QPoint p = pixelOf(call.x, call.y);
        bool black = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                black = black || image.pixel(p.x() + dx, p.y() + dy) == qRgb(0, 0, 0);
        EXPECT_TRUE(black) << "call " << n;
        ++flankPoints;
    }
    EXPECT_EQ(flankPoints, 2u * 59 * 20);
}

TEST_F(DefaultGearPicture, NothingButBackgroundAwayFromTheGear) {
    const double outer = std::stod(tip_) / 2 + 2 * pixelSize();
    const double inner = state_.drawingGeometry.db / 2 - 2 * pixelSize();
    const QPoint centre = pixelOf(0, 0);
    for (QPoint p : drawnPixels(pic_.image(), backgroundOf(pic_))) {
        const QPointF u = userOf(p);
        const double r = std::hypot(u.x(), u.y());
        EXPECT_TRUE(p == centre || (r >= inner && r <= outer)) << p.x() << ", " << p.y();
    }
    EXPECT_EQ(pic_.image().pixel(centre), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tamrel
