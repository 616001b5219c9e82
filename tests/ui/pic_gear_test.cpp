#include "ui/pic_gear.h"

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "drawing/view.h"
#include "ui/captions.h"

#include <QSignalSpy>
#include <QtTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tamrel {
namespace {

constexpr int InnerWidth = 509;
constexpr int InnerHeight = 253;

using Pixels = std::vector<QPoint>;

// The pixels of the image in colour, or (colour 0) all that differ from the background, by rows.
Pixels pixelsOf(const PicGear& pic, QRgb colour = 0) {
    const QImage& image = pic.image();
    const QRgb background = pic.background().rgb();
    Pixels found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colour == 0 ? image.pixel(x, y) != background : image.pixel(x, y) == colour)
                found.emplace_back(x, y);
    return found;
}

// The pixels of the line from (x1, y1) to (x2, y2) alone, one unit per pixel: its start is
// plotted in red, the line drawn over it in blue.
Pixels linePixels(float x1, float y1, float x2, float y2) {
    PicGear pic;
    pic.setPenColor(0xFF0000);
    pic.plotPoint(x1, y1);
    pic.setPenColor(Blue);
    pic.lineTo(x2, y2);
    return pixelsOf(pic, qRgb(0, 0, 255));
}

// The pixels (x, y) for x = from to to, or for a column (x and y exchanged).
Pixels run(int at, int from, int to, bool column = false) {
    Pixels p;
    for (int i = from; i <= to; ++i)
        p.push_back(column ? QPoint(at, i) : QPoint(i, at));
    return p;
}

Pixels sortedByX(Pixels p) {
    std::sort(p.begin(), p.end(), [](QPoint a, QPoint b) {
        return std::make_pair(a.x(), a.y()) < std::make_pair(b.x(), b.y());
    });
    return p;
}

TEST(PicGear, StartsWithThePixelGridOfTheInnerAreaOnBaseAndTheWindowTextPen) {
    PicGear pic;
    EXPECT_EQ(pic.objectName(), "PicGEAR");
    EXPECT_EQ(pic.size(), QSize(513, 257));
    const UserScale scale = pic.userScale();
    EXPECT_EQ(scale.left, 0);
    EXPECT_EQ(scale.top, 0);
    EXPECT_EQ(scale.width, InnerWidth);
    EXPECT_EQ(scale.height, InnerHeight);
    ASSERT_EQ(pic.image().size(), QSize(InnerWidth, InnerHeight));
    EXPECT_EQ(pic.background(), pic.palette().color(QPalette::Base));

    pic.plotPoint(10, 20);
    EXPECT_EQ(pixelsOf(pic), Pixels{QPoint(10, 20)});
    EXPECT_EQ(pic.image().pixel(10, 20), pic.palette().color(QPalette::WindowText).rgb());
    EXPECT_EQ(pic.image().pixel(11, 20), pic.palette().color(QPalette::Base).rgb());
}

TEST(PicGear, UnderADarkPaletteKeepsAWhiteBackgroundAndBlackLines) {
    QWidget parent;
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Window, QColor(50, 50, 50));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    parent.setPalette(dark);
    auto* pic = new PicGear(&parent);
    pic->clear();
    pic->plotPoint(10, 20);
    EXPECT_EQ(pic->image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(pic->image().pixel(10, 20), qRgb(0, 0, 0));
}

TEST(PicGear, MapsUserCoordinatesOntoTheInnerArea) {
    PicGear pic;
    pic.setUserScale({-254, 126, 509, -253});  // y up, origin on the middle pixel
    pic.plotPoint(-10, 0);
    pic.lineTo(10, 0);
    EXPECT_EQ(pixelsOf(pic), run(126, 244, 263));  // the flat-capped line leaves out its far end

    // 100 by 50 units, y up: (25, -12.5) sits three quarters across and down.
    pic.clear();
    pic.setCorners(-50, 25, 50, -25);
    pic.plotPoint(25, -12.5f);
    EXPECT_EQ(pixelsOf(pic), Pixels{QPoint(382, 190)});
}

TEST(PicGear, DrawsInThePenColourAndClearKeepsThePen) {
    PicGear pic;
    pic.setPenColor(0xFF0000);
    pic.plotPoint(10, 10);
    pic.lineTo(40, 10);
    pic.setPenColor(Blue);
    pic.plotPoint(10, 30);
    pic.lineTo(40, 30);
    EXPECT_EQ(pixelsOf(pic, qRgb(255, 0, 0)), run(10, 10, 39));
    EXPECT_EQ(pixelsOf(pic, qRgb(0, 0, 255)), run(30, 10, 39));

    pic.clear();
    EXPECT_TRUE(pixelsOf(pic).empty());
    pic.plotPoint(5, 5);
    EXPECT_EQ(pic.image().pixel(5, 5), qRgb(0, 0, 255));
}

TEST(PicGear, ShowsItsImageInsideTheBorderAndACopyKeepsWhatItShowed) {
    PicGear pic;
    pic.setPenColor(Blue);
    pic.plotPoint(0, 0);
    pic.lineTo(508, 252);
    const QImage copy = pic.image();
    const QImage shown = pic.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(2, 2, InnerWidth, InnerHeight), copy);
    pic.plotPoint(20, 100);
    pic.lineTo(40, 100);
    EXPECT_EQ(copy.pixel(20, 100), pic.background().rgb());
    EXPECT_EQ(pic.image().pixel(20, 100), qRgb(0, 0, 255));
}

TEST(PicGear, ReportsButtonsWheelAndDoubleClickInUserCoordinates) {
    PicGear pic;
    pic.setUserScale({-254, 126, 509, -253});
    QSignalSpy pressed(&pic, &PicGear::mousePressed);
    QSignalSpy moved(&pic, &PicGear::mouseMoved);
    QSignalSpy wheel(&pic, &PicGear::wheelTurned);
    QSignalSpy doubleClicked(&pic, &PicGear::doubleClicked);
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
    send(QEvent::MouseButtonDblClick, {0, 0}, Qt::LeftButton, Qt::LeftButton);
    const QPointF at(256 + 2, 106 + 2);
    QWheelEvent turn(at, pic.mapToGlobal(at), {}, {0, -240}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&pic, &turn);

    ASSERT_EQ(pressed.size(), 2);  // a double click is also a press
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
    EXPECT_EQ(doubleClicked.size(), 1);
    ASSERT_EQ(wheel.size(), 1);
    EXPECT_FLOAT_EQ(wheel[0][0].toFloat(), 2);
    EXPECT_FLOAT_EQ(wheel[0][1].toFloat(), 20);
    EXPECT_EQ(wheel[0][2].toInt(), -240);
}

TEST(PicGear, TooltipSaysHowToPanZoomAndFitInTheInterfaceLanguage) {
    QWidget window;
    auto* pic = new PicGear(&window);
    QStringList tips;
    for (int language = 0; language < LanguageCount; ++language) {
        ApplyLanguage(window, language);
        tips << pic->toolTip();
    }
    EXPECT_TRUE(tips[0].contains(QStringLiteral("双击")));
    EXPECT_TRUE(tips[1].contains("left") && tips[1].contains("wheel") &&
                tips[1].contains("double-click"));
    EXPECT_TRUE(tips[2].contains(QStringLiteral("ダブルクリック")));
}

// Pixel k spans [k - 0.5, k + 0.5); a line covers the pixels of its major axis from the lower
// end's up to, not including, the higher end's, whichever way it runs; the minor axis is floored.
TEST(PicGearLines, CoverTheirMajorAxisFromTheLowerEndUpToTheHigherOne) {
    EXPECT_EQ(linePixels(10, 10, 20, 10), run(10, 10, 19));
    EXPECT_EQ(linePixels(20, 10, 10, 10), run(10, 10, 19));
    EXPECT_EQ(linePixels(10.6f, 10, 20.6f, 10), run(10, 11, 20));
    EXPECT_EQ(linePixels(10.4f, 10.6f, 20.4f, 10.6f), run(10, 10, 19));
    EXPECT_EQ(linePixels(10.6f, 10, 10.6f, 20), run(10, 10, 19, true));
    EXPECT_EQ(linePixels(10.6f, 20, 10.6f, 10), run(10, 10, 19, true));
}

// y follows the line at the right edge of each pixel while it grows and at the pixel's centre
// while it falls, then is floored: y = 10 + 0.3 (x + 0.5 - 10) and y = 13 - 0.3 (x - 10).
TEST(PicGearLines, FollowTheMinorAxisAsWorkedOutByHand) {
    const Pixels rising = {{10, 10}, {11, 10}, {12, 10}, {13, 11}, {14, 11},
                           {15, 11}, {16, 11}, {17, 12}, {18, 12}, {19, 12}};
    EXPECT_EQ(sortedByX(linePixels(10, 10, 20, 13)), rising);
    EXPECT_EQ(sortedByX(linePixels(20, 13, 10, 10)), rising);
    const Pixels falling = {{10, 13}, {11, 12}, {12, 12}, {13, 12}, {14, 11},
                            {15, 11}, {16, 11}, {17, 10}, {18, 10}, {19, 10}};
    EXPECT_EQ(sortedByX(linePixels(10, 13, 20, 10)), falling);
    const Pixels steep = {{10, 10}, {10, 11}, {10, 12}, {11, 13}, {11, 14},
                          {11, 15}, {11, 16}, {12, 17}, {12, 18}, {12, 19}};
    EXPECT_EQ(linePixels(10, 10, 13, 20), steep);
    // At exactly 45 degrees x is the major axis: a falling diagonal starts at its left end.
    Pixels diagonal, antidiagonal;
    for (int i = 10; i <= 19; ++i) {
        diagonal.emplace_back(i, i);
        antidiagonal.emplace_back(i, 30 - i);
    }
    EXPECT_EQ(linePixels(10, 10, 20, 20), diagonal);
    EXPECT_EQ(sortedByX(linePixels(10, 20, 20, 10)), antidiagonal);
    EXPECT_EQ(sortedByX(linePixels(20, 10, 10, 20)), antidiagonal);
}

TEST(PicGearLines, InsideOnePixelDrawNothingAndWithCoincidentEndsADot) {
    EXPECT_TRUE(linePixels(10.1f, 10, 10.3f, 10).empty());
    EXPECT_TRUE(linePixels(10.1f, 10.2f, 10.4f, 9.6f).empty());
    EXPECT_EQ(linePixels(10.4f, 10, 10.6f, 10), Pixels{QPoint(10, 10)});
    EXPECT_EQ(linePixels(30.3f, 40.7f, 30.3f, 40.7f), Pixels{QPoint(30, 41)});
    PicGear pic;
    pic.plotPoint(10.49f, 10.5f);  // plotting rounds both coordinates
    EXPECT_EQ(pixelsOf(pic), Pixels{QPoint(10, 11)});
}

TEST(PicGearLines, AreClippedToThePictureFromEitherSide) {
    struct Case {
        float x1, y1, x2, y2;
        Pixels pixels;
    };
    Pixels diagonal;
    for (int i = 0; i <= 9; ++i)
        diagonal.emplace_back(i, i);
    const float far = 1e30f;
    const Case cases[] = {
        {-50.5f, 5, 50, 5, run(5, 0, 49)},              // start before the left edge
        {500, 100, 600, 100, run(100, 500, 508)},       // end beyond the right edge
        {600, 10, 300, 10, run(10, 300, 508)},          // start beyond the right edge
        {300, 12, -50, 12, run(12, 0, 299)},            // end before the left edge
        {7, -100, 7, 400, run(7, 0, 252, true)},        // through the top and bottom edges
        {9, 300, 9, 100, run(9, 100, 252, true)},       // start beyond the bottom edge
        {11, 100, 11, -50, run(11, 0, 99, true)},       // end before the top edge
        {-10, -10, 10, 10, diagonal},                   // through the corner
        {-far, 100, far, 100, run(100, 0, 508)},        // far-off ends, horizontal
        {100, -far, 100, far, run(100, 0, 252, true)},  // far-off ends, vertical
        {100, far, 100, -far, run(100, 0, 252, true)},
        {-5, -5, -1, 300, {}},
        {600, 10, 700, 20, {}},
        {1e30f, 1e30f, 2e30f, -1e30f, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sortedByX(linePixels(c.x1, c.y1, c.x2, c.y2)), sortedByX(c.pixels))
            << c.x1 << ", " << c.y1 << " to " << c.x2 << ", " << c.y2;
    }
    const Pixels diagonalFar = linePixels(-far, -far, far, far);
    EXPECT_EQ(diagonalFar.size(), std::size_t(InnerHeight));
    EXPECT_TRUE(std::all_of(diagonalFar.begin(), diagonalFar.end(),
                            [](QPoint p) { return p.x() == p.y(); }));
}

TEST(PicGearLines, InvalidCoordinatesAndScalesDrawNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PicGear pic;
    pic.plotPoint(nan, 5);
    pic.lineTo(20, 20);
    pic.lineTo(inf, 20);
    pic.lineTo(-inf, inf);
    pic.setUserScale({0, 0, 0, 0});
    pic.plotPoint(1, 1);
    pic.lineTo(2, 2);
    pic.setUserScale({0, 0, 1e-30f, 1e-30f});
    pic.plotPoint(1, 1);
    pic.lineTo(-1, 2);
    EXPECT_TRUE(pixelsOf(pic).empty());
}

// FNV-1a over the position and colour of every pixel that is not background.
std::uint64_t drawnHash(const PicGear& pic) {
    std::uint64_t h = 14695981039346656037ULL;
    const QImage& image = pic.image();
    for (QPoint p : pixelsOf(pic))
        for (std::uint32_t word : {std::uint32_t(p.x()), std::uint32_t(p.y()), image.pixel(p)})
            for (int b = 0; b < 4; ++b)
                h = (h ^ ((word >> (8 * b)) & 0xFF)) * 1099511628211ULL;
    return h;
}

// The default gear with 59 and with 32767 teeth after a compute run, one tick fitted and one
// zoomed in on the flanks at the tip, pixel for pixel as recorded.
TEST(PicGear, DrawsTheRecordedPicturesOfTheDefaultGear) {
    struct Recorded {
        int teeth;
        std::size_t fitted;
        std::uint64_t fittedHash;
        std::size_t zoomed;
        std::uint64_t zoomedHash;
    };
    for (const Recorded& r :
         {Recorded{59, 3169, 0xac743762741590adULL, 2418, 0xc2e7bd9a1b8cea5fULL},
          Recorded{32767, 5194, 0xc35c655562fc988bULL, 2437, 0x230b8782425821cfULL}}) {
        MemoryFieldStore store;
        store.selectReference(Quantity::Xn);
        store.setText(Field::ZG, std::to_string(r.teeth));
        ProgramState state;
        runConversion(store, state, NumberLocale{});
        const std::string tipText = store.text(Field::DKG);
        const std::string rootText = store.text(Field::DRG);
        const TickInputs inputs{true, tipText, rootText};
        const auto& c = store.coordinates();
        PicGear pic;
        pic.setCorners(c.x1, c.y1, c.x2, c.y2);
        drawingTick(pic, state, inputs, NumberLocale{});
        EXPECT_EQ(pixelsOf(pic).size(), r.fitted) << r.teeth;
        EXPECT_EQ(drawnHash(pic), r.fittedHash) << r.teeth;

        const float tip = float(std::stod(tipText) / 2 - 3);
        pic.setCorners(-12, tip + 5, 12, tip - 5);
        drawingTick(pic, state, inputs, NumberLocale{});
        EXPECT_EQ(pixelsOf(pic).size(), r.zoomed) << r.teeth;
        EXPECT_EQ(drawnHash(pic), r.zoomedHash) << r.teeth;
    }
}

// Run with QT_SCALE_FACTOR=2 (the ui_hidpi test): the image has twice the pixels each way, in
// the same user coordinates, and its lines stay one device pixel wide.
TEST(PicGearAtScale2, DrawsAtTheDevicePixelRatio) {
    PicGear pic;
    if (pic.devicePixelRatioF() != 2)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    EXPECT_EQ(pic.image().size(), QSize(2 * InnerWidth, 2 * InnerHeight));
    EXPECT_EQ(pic.userScale().width, InnerWidth);
    pic.plotPoint(10, 10);
    pic.lineTo(20, 10);
    pic.plotPoint(30, 10);
    pic.lineTo(30, 20);
    Pixels expected = run(20, 20, 39);
    for (const QPoint& p : run(60, 20, 39, true))
        expected.push_back(p);
    EXPECT_EQ(sortedByX(pixelsOf(pic)), sortedByX(expected));
}

}  // namespace
}  // namespace tamrel
