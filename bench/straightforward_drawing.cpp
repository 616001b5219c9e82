#include "straightforward_drawing.h"

#include "drawing/gear_drawing.h"
#include "drawing/matrix.h"

#include <QPainter>
#include <QPalette>

#include <cmath>
#include <optional>

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

// Steps 5 to 9 of the construction, each flank turned by a product of its own.
void drawGear(Canvas& canvas, const DrawingGeometry& g, double xt, const GearDiameters& d,
              float rotation) {
    const ToothFlanks flanks = BuildToothFlanks(g.db, g.alphaT, g.zAbs, xt, d.outer);
    DrawCircle(canvas, 0, 0, g.db / 2);
    DrawCircle(canvas, 0, 0, g.db / std::cos(g.alphaT) / 2);
    canvas.setPenColor(Blue);
    DrawCircle(canvas, 0, 0, d.outer / 2);
    DrawCircle(canvas, 0, 0, d.inner / 2);
    canvas.setPenColor(Black);
    DrawPoint(canvas, {0, 0});
    for (std::int16_t i = 0; i < g.zAbs; ++i) {
        const double angle = (-6.28318530717958 / g.zAbs) * i - rotation;
        DrawPolyline(canvas, MatMul(flanks.flankA, RotMatrix(angle)));
        DrawPolyline(canvas, MatMul(flanks.flankB, RotMatrix(angle)));
    }
}

}  // namespace

void straightforwardTick(QImage& image, const FittedGear& gear, float& rotation) {
    rotation = static_cast<float>(static_cast<double>(rotation) + 0.001);
    const QPalette palette;
    image.fill(palette.color(QPalette::Window));

    const DrawingGeometry& g = gear.state.drawingGeometry;
    const std::optional<GearDiameters> d = ReadGearDiameters(gear.tip, gear.root, NumberLocale{});
    if (!d || d->outer < g.db) {
        return;
    }
    QPainter painter(&image);
    painter.setTransform(userToDevice(gear.view, image));
    PainterCanvas canvas(painter);
    canvas.setPenColor(palette.color(QPalette::WindowText).rgb());
    drawGear(canvas, g, std::cos(g.beta) * g.xMid, *d, rotation);
}

}  // namespace tamrel::bench
