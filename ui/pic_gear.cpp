#include "ui/pic_gear.h"

#include "drawing/view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace tamrel {

namespace {

// Outer size as the window places the picture, and its sunken two-pixel panel border.
constexpr int PlacedWidth = 513;
constexpr int PlacedHeight = 257;
constexpr int BorderWidth = 2;

// Segments whose ends both lie this far beyond one edge of the image cannot touch it.
constexpr double CullMargin = 2;
// Device coordinates up to this size go to Qt untouched; larger ones are clipped here first.
constexpr double FarLimit = 1e6;
// Ends closer than this may be one point to Qt, which draws such a line as a dot.
constexpr double DotLength = 1e-6;
// Bounds the memory of a batch; a colour's lines may be drawn in several batches.
constexpr std::size_t BatchSize = 16384;

// The pixel a coordinate falls in: pixel k spans [k - 0.5, k + 0.5).
inline double pixelOf(double v) {
    return std::floor(v + 0.5);
}

bool isFar(double v) {
    return !(std::abs(v) <= FarLimit);
}

// Clips a segment with far-off ends to the box along its major axis. The line is rebuilt from
// its point nearest the box centre, which stays exact for long symmetric or axis-parallel lines
// whose ends are far beyond the precision that would locate them from an end.
bool clipFarSegment(double& ax, double& ay, double& bx, double& by, const QRectF& box) {
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
        return false;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double span = std::max(std::abs(dx), std::abs(dy));
    if (!std::isfinite(span) || span == 0)
        return false;
    const double ux = dx / span;
    const double uy = dy / span;
    const QPointF centre = box.center();
    const double t = std::clamp(
        ((centre.x() - ax) * ux + (centre.y() - ay) * uy) / (ux * ux + uy * uy) / span, 0.0, 1.0);
    const double baseX = ax + t * dx;
    const double baseY = ay + t * dy;

    const bool xMajor = std::abs(dx) >= std::abs(dy);
    double& a = xMajor ? ax : ay;
    double& b = xMajor ? bx : by;
    double& aMinor = xMajor ? ay : ax;
    double& bMinor = xMajor ? by : bx;
    const double base = xMajor ? baseX : baseY;
    const double baseMinor = xMajor ? baseY : baseX;
    const double slope = xMajor ? uy / ux : ux / uy;
    const double lo = std::max(std::min(a, b), xMajor ? box.left() : box.top());
    const double hi = std::min(std::max(a, b), xMajor ? box.right() : box.bottom());
    if (lo > hi)
        return false;
    for (auto [major, minor] : {std::pair<double*, double*>{&a, &aMinor}, {&b, &bMinor}}) {
        const double target = std::clamp(*major, lo, hi);
        if (target != *major) {
            *major = target;
            *minor = baseMinor + (target - base) * slope;
        }
    }
    return std::isfinite(aMinor) && std::isfinite(bMinor);
}

int buttonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= LeftButton;
    if (buttons & Qt::RightButton)
        bits |= RightButton;
    if (buttons & Qt::MiddleButton)
        bits |= MiddleButton;
    return bits;
}

}  // namespace

PicGear::PicGear(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicGEAR"));
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button still report, as the window expects from a picture box.
    setMouseTracking(true);
    penColor_ = palette().color(QPalette::WindowText);
    resize(PlacedWidth, PlacedHeight);
    fitImageToWidget();
}

QSize PicGear::sizeHint() const {
    return {PlacedWidth, PlacedHeight};
}

QRect PicGear::innerRect() const {
    return rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
}

// Keeps the image the size of the inner area; before anyone sets a scale, the user system is
// the pixel grid of that area.
void PicGear::fitImageToWidget() {
    const QSize size = innerRect().size().expandedTo({0, 0});
    if (!image_.isNull() && image_.size() == size)
        return;
    flush();
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(palette().color(QPalette::Window));
    if (!image_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
    if (!scaleSetByUser_)
        scale_ = {0, 0, float(size.width()), float(size.height())};
    updateDeviceScale();
}

void PicGear::updateDeviceScale() {
    pixelsPerUnitX_ = image_.width() / double(scale_.width);
    pixelsPerUnitY_ = image_.height() / double(scale_.height);
    current_ = toDevice(currentX_, currentY_);
}

PicGear::DevicePoint PicGear::atDevice(double x, double y) {
    return {x, y, pixelOf(x), pixelOf(y)};
}

PicGear::DevicePoint PicGear::toDevice(float x, float y) const {
    return atDevice((double(x) - scale_.left) * pixelsPerUnitX_,
                    (double(y) - scale_.top) * pixelsPerUnitY_);
}

// Most points of a dense drawing stay in the pixel of the point before; that pixel is checked
// first, which spares the rounding.
void PicGear::advanceCurrent(float x, float y) {
    currentX_ = x;
    currentY_ = y;
    current_.x = (double(x) - scale_.left) * pixelsPerUnitX_;
    current_.y = (double(y) - scale_.top) * pixelsPerUnitY_;
    if (!(std::abs(current_.x - current_.column) < 0.5))
        current_.column = pixelOf(current_.x);
    if (!(std::abs(current_.y - current_.row) < 0.5))
        current_.row = pixelOf(current_.y);
}

QPointF PicGear::toUser(const QPointF& widgetPos) const {
    const QPointF device = widgetPos - innerRect().topLeft();
    if (image_.isNull())
        return {scale_.left, scale_.top};
    return {scale_.left + device.x() * scale_.width / image_.width(),
            scale_.top + device.y() * scale_.height / image_.height()};
}

UserScale PicGear::userScale() const {
    return scale_;
}

void PicGear::setUserScale(const UserScale& scale) {
    scale_ = scale;
    scaleSetByUser_ = true;
    fitImageToWidget();
    updateDeviceScale();
}

// Clearing starts the current position again at the user origin, like a classic picture box.
void PicGear::clear() {
    fitImageToWidget();
    pendingLines_.clear();
    pendingDots_.clear();
    image_.fill(palette().color(QPalette::Window));
    moveCurrent(0, 0);
    queued();
}

void PicGear::setPenColor(Rgb color) {
    const QColor next(int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF));
    if (next == penColor_)
        return;
    flush();
    penColor_ = next;
}

void PicGear::moveCurrent(float x, float y) {
    currentX_ = x;
    currentY_ = y;
    current_ = toDevice(x, y);
}

void PicGear::plotPoint(float x, float y) {
    moveCurrent(x, y);
    addDot(current_);
}

void PicGear::lineTo(float x, float y) {
    const DevicePoint from = current_;
    advanceCurrent(x, y);
    addSegment(from, current_);
}

bool PicGear::outsideImage(const DevicePoint& a, const DevicePoint& b) const {
    const double right = image_.width() - 1 + CullMargin;
    const double bottom = image_.height() - 1 + CullMargin;
    return (a.x < -CullMargin && b.x < -CullMargin) || (a.x > right && b.x > right) ||
           (a.y < -CullMargin && b.y < -CullMargin) || (a.y > bottom && b.y > bottom);
}

// A flat-capped one-pixel line covers the pixels its major axis crosses into, none when both ends
// lie in one pixel; only a segment whose ends coincide is drawn, as a dot. NaN never qualifies.
bool PicGear::drawsNothing(const DevicePoint& a, const DevicePoint& b) {
    return a.column >= 0 && a.row >= 0 && a.column == b.column && a.row == b.row &&
           std::abs(b.x - a.x) + std::abs(b.y - a.y) > DotLength;
}

void PicGear::addSegment(DevicePoint from, DevicePoint to) {
    if (drawsNothing(from, to) || outsideImage(from, to))
        return;
    // Qt draws a line whose ends compare equal as the dot of its start; say so directly.
    if (QPointF(from.x, from.y) == QPointF(to.x, to.y)) {
        addDot(from);
        return;
    }
    if (isFar(from.x) || isFar(from.y) || isFar(to.x) || isFar(to.y)) {
        const QRectF box = QRectF(image_.rect()).adjusted(-8, -8, 8, 8);
        if (!clipFarSegment(from.x, from.y, to.x, to.y, box))
            return;
        from = atDevice(from.x, from.y);
        to = atDevice(to.x, to.y);
        if (outsideImage(from, to))
            return;
    }
    pendingLines_.emplace_back(from.x, from.y, to.x, to.y);
    if (pendingLines_.size() >= BatchSize)
        flush();
    queued();
}

void PicGear::addDot(const DevicePoint& at) {
    if (!std::isfinite(at.x) || !std::isfinite(at.y) || outsideImage(at, at))
        return;
    pendingDots_.emplace_back(at.x, at.y);
    if (pendingDots_.size() >= BatchSize)
        flush();
    queued();
}

// Asks for one repaint per burst of drawing rather than one per line.
void PicGear::queued() {
    if (repaintRequested_)
        return;
    repaintRequested_ = true;
    update();
}

// A batch holds one colour, so the order its lines and dots reach the image in is free. Each line
// is drawn by a call of its own: within one drawLines call Qt lets a line change how the next one
// begins, and the picture must not depend on which lines were left out. Lines go before dots and
// the painter closes after them: in this Qt, a line drawn by the same painter after a point does
// not always come out as it does on its own.
void PicGear::flush() const {
    if (pendingLines_.empty() && pendingDots_.empty())
        return;
    if (!image_.isNull()) {
        QPainter painter(&image_);
        QPen pen(penColor_, 1, Qt::SolidLine, Qt::FlatCap);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const QLineF& line : pendingLines_)
            painter.drawLine(line);
        painter.drawPoints(pendingDots_.data(), int(pendingDots_.size()));
    }
    pendingLines_.clear();
    pendingDots_.clear();
}

const QImage& PicGear::image() const {
    flush();
    return image_;
}

void PicGear::paintEvent(QPaintEvent*) {
    repaintRequested_ = false;
    fitImageToWidget();
    flush();
    QPainter painter(this);
    paintPicture(painter);
    paintBorder(painter);
}

void PicGear::paintPicture(QPainter& painter) const {
    painter.drawImage(innerRect().topLeft(), image_);
}

void PicGear::paintBorder(QPainter& painter) const {
    qDrawWinPanel(&painter, rect(), palette(), true);
}

void PicGear::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitImageToWidget();
}

void PicGear::mousePressEvent(QMouseEvent* event) {
    const QPointF user = toUser(event->position());
    emit mousePressed(buttonBits(event->buttons()), float(user.x()), float(user.y()));
}

void PicGear::mouseMoveEvent(QMouseEvent* event) {
    const QPointF user = toUser(event->position());
    emit mouseMoved(buttonBits(event->buttons()), float(user.x()), float(user.y()));
}

}  // namespace tamrel
