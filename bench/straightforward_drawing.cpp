#include "straightforward_drawing.h"

#include "drawing/gear_drawing.h"

#include <QPainter>
#include <QPalette>

#include <cmath>

namespace tamrel::bench {

namespace {

// A canvas that hands each call straight to a painter.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

    void clear() override {}
    void setPenColor(Rgb color) override {
        QPen pen(QColor::fromRgb(QRgb(color)), 1, Qt::SolidLine, Qt::FlatCap);
        pen.setCosmetic(true);
        painter_.setPen(pen);
    }
    void plotPoint(float x, float y) override {
        current_ = QPointF(x, y);
        painter_.drawPoint(current_);
    }
    void lineTo(float x, float y) override {
        const QPointF next(x, y);
        painter_.drawLine(QLineF(current_, next));
        current_ = next;
    }
    UserScale userScale() const override { return {}; }
    void setUserScale(const UserScale&) override {}

private:
    QPainter& painter_;
    QPointF current_;
};

QTransform userToDevice(const UserScale& view, const QImage& image) {
    const double sx = image.width() / double(view.width);
    const double sy = image.height() / double(view.height);
    return QTransform(sx, 0, 0, sy, -double(view.left) * sx, -double(view.top) * sy);
}

}  // namespace

void straightforwardTick(QImage& image, const FittedGear& gear, float& rotation) {
    rotation = static_cast<float>(static_cast<double>(rotation) + 0.001);
    const QPalette palette;
    image.fill(palette.color(QPalette::Base));

    QPainter painter(&image);
    painter.setTransform(userToDevice(gear.view, image));
    PainterCanvas canvas(painter);
    canvas.setPenColor(palette.color(QPalette::WindowText).rgb());
    const DrawingGeometry& g = gear.state.drawingGeometry;
    DrawGear(canvas, g.db, g.alphaT, g.zAbs, std::cos(g.beta) * g.xMid, gear.tip, gear.root,
             rotation, NumberLocale{});
}

}  // namespace tamrel::bench
