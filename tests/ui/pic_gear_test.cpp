#include "ui/pic_gear.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tamrel {
namespace {

constexpr int InnerWidth = 509;
constexpr int InnerHeight = 253;

QRgb backgroundOf(const PicGear& pic) {
    return pic.palette().color(QPalette::Window).rgb();
}

std::vector<QPoint> drawnPixels(const QImage& image, QRgb background) {
    std::vector<QPoint> drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                drawn.emplace_back(x, y);
    return drawn;
}

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

// What the picture is expected to look like: each segment drawn by a drawLine call of its own
// with the picture's pen, each point by drawPoint. A colour's points are drawn after its lines
// (the order does not matter in one opaque colour): drawing a line right after a point at its
// start point is not reliably the same as drawing it on its own in this Qt.
class SegmentBySegment {
public:
    explicit SegmentBySegment(QRgb background)
        : image_(InnerWidth, InnerHeight, QImage::Format_RGB32) {
        image_.fill(background);
    }
    void setPenColor(Rgb color) {
        draw();
        color_ = QColor::fromRgb(QRgb(color));
    }
    void plotPoint(QPointF at) {
        points_.push_back(at);
        current_ = at;
    }
    void lineTo(QPointF to) {
        lines_.emplace_back(current_, to);
        current_ = to;
    }
    const QImage& image() {
        draw();
        return image_;
    }

private:
    void draw() {
        QPainter painter(&image_);
        QPen pen(color_, 1, Qt::SolidLine, Qt::FlatCap);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const QLineF& line : lines_)
            painter.drawLine(line);
        for (const QPointF& point : points_)
            painter.drawPoint(point);
        lines_.clear();
        points_.clear();
    }
    QImage image_;
    QColor color_ = Qt::black;
    QPointF current_;
    std::vector<QLineF> lines_;
    std::vector<QPointF> points_;
};

int differingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < InnerHeight; ++y)
        for (int x = 0; x < InnerWidth; ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// Random drawing that mixes long lines reaching past the edges, sub-pixel steps, repeated points,
// coordinates on and beside pixel edges, dots and colour changes.
TEST(PicGear, BatchedDrawingMatchesDrawingSegmentBySegment) {
    for (unsigned seed : {1u, 2u, 3u}) {
        PicGear pic;
        SegmentBySegment reference(backgroundOf(pic));
        pic.setPenColor(Black);
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> across(-60, InnerWidth + 60);
        std::uniform_real_distribution<float> step(-0.4f, 0.4f);
        std::uniform_int_distribution<int> kind(0, 19);
        std::uniform_int_distribution<int> nearEdge(-2, 2);
        QPointF at(100, 100);
        for (int i = 0; i < 600; ++i) {
            const int k = kind(rng);
            if (k == 0) {
                const Rgb color = rng() & 0xFFFFFF;
                pic.setPenColor(color);
                reference.setPenColor(color);
                continue;
            }
            if (k < 6)
                at = QPointF(across(rng), across(rng) * 0.5f);
            else if (k < 9)
                at = QPointF(std::floor(at.x()) + 0.5 + nearEdge(rng) / 64.0,
                             std::floor(at.y()) + 0.5 + nearEdge(rng) / 64.0);
            else if (k < 18)
                at += QPointF(step(rng), step(rng));
            const float x = float(at.x());
            const float y = float(at.y());
            if (k == 19) {
                pic.plotPoint(x, y);
                reference.plotPoint(QPointF(x, y));
            } else {
                pic.lineTo(x, y);
                reference.lineTo(QPointF(x, y));
            }
        }
        EXPECT_EQ(differingPixels(pic.image(), reference.image()), 0) << "seed " << seed;
    }
}

// Many short flanks crowded into one ring, as a gear with thousands of teeth draws them: most
// segments land on pixels already in the pen colour.
TEST(PicGear, CrowdedFlanksMatchDrawingSegmentBySegment) {
    PicGear pic;
    SegmentBySegment reference(backgroundOf(pic));
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> turn(0, 6.283185307179586);
    std::uniform_real_distribution<double> wiggle(-0.05, 0.05);
    for (int flank = 0; flank < 4000; ++flank) {
        if (flank == 3000) {
            pic.setPenColor(Blue);
            reference.setPenColor(Blue);
        }
        double angle = turn(rng);
        for (int i = 0; i < 20; ++i) {
            const double radius = 100 + i * 0.37;
            angle += wiggle(rng);
            const float x = float(254 + radius * std::sin(angle));
            const float y = float(126 + 0.9 * radius * std::cos(angle));
            if (i == 0) {
                pic.plotPoint(x, y);
                reference.plotPoint(QPointF(x, y));
            } else {
                pic.lineTo(x, y);
                reference.lineTo(QPointF(x, y));
            }
        }
    }
    EXPECT_EQ(differingPixels(pic.image(), reference.image()), 0);
}

}  // namespace
}  // namespace tamrel
