#pragma once

#include "ui/pic_gear.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

// Pixel helpers of the picture tests.
namespace tamrel::test {

constexpr int InnerWidth = 509;
constexpr int InnerHeight = 253;

inline QRgb backgroundOf(const PicGear& pic) {
    return pic.palette().color(QPalette::Window).rgb();
}

inline std::vector<QPoint> drawnPixels(const QImage& image, QRgb background) {
    std::vector<QPoint> drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                drawn.emplace_back(x, y);
    return drawn;
}

using Pixels = std::vector<QPoint>;

inline Pixels pixelsIn(const QImage& image, QRgb color) {
    Pixels found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                found.emplace_back(x, y);
    return found;
}

// Every segment drawn by a QPainter of its own: a one-pixel cosmetic, flat-capped, aliased pen.
class PainterReference {
public:
    explicit PainterReference(QRgb background)
        : image_(InnerWidth, InnerHeight, QImage::Format_RGB32) {
        image_.fill(background);
    }
    void setPenColor(Rgb color) { color_ = QColor::fromRgb(QRgb(color)); }
    void plotPoint(QPointF at) {
        painter().drawPoint(at);
        current_ = at;
    }
    void lineTo(QPointF to) {
        painter().drawLine(QLineF(current_, to));
        current_ = to;
    }
    const QImage& image() {
        painter_.reset();
        return image_;
    }

private:
    QPainter& painter() {
        painter_.reset();
        painter_ = std::make_unique<QPainter>(&image_);
        QPen pen(color_, 1, Qt::SolidLine, Qt::FlatCap);
        pen.setCosmetic(true);
        painter_->setPen(pen);
        return *painter_;
    }
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QColor color_ = Qt::black;
    QPointF current_;
};

// Pixels of a that differ from b and have no pixel of their colour next to them in b.
inline int strayPixels(const QImage& a, const QImage& b) {
    int stray = 0;
    for (int y = 0; y < InnerHeight; ++y) {
        for (int x = 0; x < InnerWidth; ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = QRect(0, 0, InnerWidth, InnerHeight).contains(x + dx, y + dy) &&
                           b.pixel(x + dx, y + dy) == a.pixel(x, y);
            stray += near ? 0 : 1;
        }
    }
    return stray;
}

}  // namespace tamrel::test
