#include "ui/pic_gear.h"

#include "ui/captions.h"

#include <QtTest>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

namespace tamrel {

using Pixels = std::set<std::pair<int, int>>;
// Runs of n pixels from (x, y) in steps of (dx, dy).
using Runs = std::vector<std::array<int, 5>>;

// The pixels of the picture in a colour.
static Pixels pixelsOf(const PicGear& pic, QRgb colour) {
    Pixels found;
    for (int y = 0; y < pic.image().height(); ++y)
        for (int x = 0; x < pic.image().width(); ++x)
            if (pic.image().pixel(x, y) == colour)
                found.emplace(x, y);
    return found;
}

static Pixels pixelsOf(const Runs& runs) {
    Pixels p;
    for (auto [x, y, n, dx, dy] : runs)
        for (int i = 0; i < n; ++i)
            p.emplace(x + i * dx, y + i * dy);
    return p;
}

// One unit a pixel on the 509 by 253 pixels inside the border, drawn in the window-text colour on
// Base; the image is what the widget shows, and the tooltip says how to pan, zoom and fit in the
// interface language. Then 100 by 50 units, y up: a copy of the image keeps what it showed, and
// pointer events report the buttons held and the user point under the pointer (a double click is
// also a press). Under a dark palette the picture is black on white.
TEST(PicGear, DrawsInUserCoordinatesReportsThePointerInThemAndStaysWhiteUnderADarkPalette) {
    QWidget parent;
    auto* pic = new PicGear(&parent);
    EXPECT_EQ(pic->background(), pic->palette().color(QPalette::Base));
    pic->plotPoint(10, 20);
    EXPECT_EQ(pixelsOf(*pic, pic->palette().color(QPalette::WindowText).rgb()), (Pixels{{10, 20}}));
    const QImage shown = pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(2, 2, 509, 253), pic->image());
    const char* doubleClick[] = {"双击", "double-click", "ダブルクリック"};
    for (int language = 0; language < 3; ++language) {
        ApplyLanguage(parent, language);
        EXPECT_TRUE(pic->toolTip().contains(QString::fromUtf8(doubleClick[language])));
    }
    pic->setCorners(-50, 25, 50, -25);
    pic->setPenColor(Blue);
    pic->plotPoint(25, -12.5f);
    const QImage copy = pic->image();
    pic->plotPoint(-25, 5);
    EXPECT_EQ(pixelsOf(*pic, qRgb(0, 0, 255)), (Pixels{{127, 101}, {382, 190}}));
    EXPECT_EQ(copy.pixel(127, 101), pic->background().rgb());
    pic->setUserScale({-254, 126, 509, -253});
    QSignalSpy pressed(pic, &PicGear::mousePressed), moved(pic, &PicGear::mouseMoved);
    QSignalSpy wheel(pic, &PicGear::wheelTurned), doubleClicked(pic, &PicGear::doubleClicked);
    const QPointF at(264 + 2, 116 + 2);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonDblClick}) {
        QMouseEvent event(type, at, at, Qt::LeftButton, Qt::AllButtons, Qt::NoModifier);
        QCoreApplication::sendEvent(pic, &event);
    }
    QWheelEvent turn(at, at, {}, {0, -240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pic, &turn);
    ASSERT_EQ(pressed.size() + moved.size() + wheel.size() + doubleClicked.size(), 5);
    EXPECT_EQ(pressed[0], (QVariantList{7, 10.0f, 10.0f}));
    EXPECT_EQ(wheel[0], (QVariantList{10.0f, 10.0f, -240}));
    parent.setPalette(QPalette(QColor(30, 30, 30)));  // black Base, white text
    pic = new PicGear(&parent);
    pic->plotPoint(10, 20);
    EXPECT_EQ(pixelsOf(*pic, qRgb(0, 0, 0)), (Pixels{{10, 20}}));
    EXPECT_EQ(pixelsOf(*pic, qRgb(255, 255, 255)).size(), 509u * 253 - 1);
}

// Lines from (x1, y1) to (x2, y2) and their pixels. A line starts where the last point was plotted
// and is drawn in blue. Pixel k spans [k - 0.5, k + 0.5); a line covers its major axis (x at 45
// degrees) from the lower end's pixel up to, not including, the higher end's, whichever way it
// runs; the minor coordinate, taken half a pixel ahead while it grows and at the pixel centre while
// it falls, is floored. Lines are clipped to the picture; invalid coordinates draw nothing.
constexpr float far = 1e30f, nan = NAN, inf = INFINITY;
const std::tuple<float, float, float, float, Runs> lines[] = {
    {10, 10, 20, 10, {{10, 10, 10, 1, 0}}},
    {10.6f, 10, 20.6f, 10, {{11, 10, 10, 1, 0}}},
    {10.6f, 20, 10.6f, 10, {{10, 10, 10, 0, 1}}},
    {10, 10, 20, 13, {{10, 10, 3, 1, 0}, {13, 11, 4, 1, 0}, {17, 12, 3, 1, 0}}},
    {20, 13, 10, 10, {{10, 10, 3, 1, 0}, {13, 11, 4, 1, 0}, {17, 12, 3, 1, 0}}},
    {10, 13, 20, 10, {{10, 13, 1, 1, 0}, {11, 12, 3, 1, 0}, {14, 11, 3, 1, 0}, {17, 10, 3, 1, 0}}},
    {10, 10, 13, 20, {{10, 10, 3, 0, 1}, {11, 13, 4, 0, 1}, {12, 17, 3, 0, 1}}},
    {10, 20, 20, 10, {{10, 20, 10, 1, -1}}},
    {10.1f, 10, 10.3f, 10, {}},
    {10.49f, 10.5f, 10.49f, 10.5f, {{10, 11, 1, 1, 0}}},
    {5, 0.2f, 5, 0.2f, {{5, 0, 1, 1, 0}}},
    {600, 10, 300, 10, {{300, 10, 209, 1, 0}}},
    {300, 12, -50, 12, {{0, 12, 300, 1, 0}}},
    {9, 300, 9, 100, {{9, 100, 153, 0, 1}}},
    {11, 100, 11, -50, {{11, 0, 100, 0, 1}}},
    {-far, 100, far, 100, {{0, 100, 509, 1, 0}}},
    {100, far, 100, -far, {{100, 0, 253, 0, 1}}},
    {-far, -far, far, far, {{0, 0, 253, 1, 1}}},
    {-5, -5, -1, 300, {}},
    {600, 10, 700, 20, {}},
    {far, far, 2 * far, -far, {}},
    {nan, 5, 20, 20, {}},
    {20, 20, inf, 20, {}}};

TEST(PicGearLines, FollowTheRasterRulesAndAreClippedToThePicture) {
    for (const auto& [x1, y1, x2, y2, runs] : lines) {
        PicGear pic;
        pic.plotPoint(x1, y1);
        pic.setPenColor(Blue);
        pic.lineTo(x2, y2);
        EXPECT_EQ(pixelsOf(pic, qRgb(0, 0, 255)), pixelsOf(runs))
            << x1 << " " << y1 << " " << x2 << " " << y2;
    }
}

// Under QT_SCALE_FACTOR=2 (the ui_hidpi test) the image has twice the pixels each way in the
// same user coordinates, and its lines stay one device pixel wide.
TEST(PicGearAtScale2, DrawsAtTheDevicePixelRatio) {
    PicGear pic;
    if (pic.devicePixelRatioF() != 2) {
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    }
    EXPECT_EQ(pic.image().devicePixelRatio(), 2);  // shown at the widget's logical size
    pic.plotPoint(10, 10);
    pic.lineTo(20, 10);
    EXPECT_EQ(pixelsOf(pic, pic.palette().color(QPalette::WindowText).rgb()),
              pixelsOf({{20, 20, 20, 1, 0}}));
}

}  // namespace tamrel
