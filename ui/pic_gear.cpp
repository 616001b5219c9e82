#include "ui/pic_gear.h"

#include "drawing/view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <qdrawutil.h>

namespace tamrel {

namespace {

// Outer size as the window places the picture, and its sunken two-pixel panel border.
constexpr int PlacedWidth = 513;
constexpr int PlacedHeight = 257;
constexpr int BorderWidth = 2;

QRgb pixelOf(const QColor& color) {
    return 0xFF000000 | color.rgb();
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
    // The first drawing's base and reference circles take the window-text colour; on the white
    // that replaces a dark background, black.
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    raster_.setPen(pixelOf(dark ? QColor(Qt::black) : palette().color(QPalette::WindowText)));
    resize(PlacedWidth, PlacedHeight);
    fitImageToWidget();
}

QSize PicGear::sizeHint() const {
    return {PlacedWidth, PlacedHeight};
}

QRect PicGear::innerRect() const {
    return rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
}

QColor PicGear::background() const {
    const QColor base = palette().color(QPalette::Base);
    return base.lightness() < 128 ? QColor(Qt::white) : base;
}

// Keeps the image the size of the inner area in device pixels; before anyone sets a scale, the
// user system is the logical pixel grid of that area.
void PicGear::fitImageToWidget() {
    const QSize size = innerRect().size().expandedTo({0, 0});
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size) * ratio).toSize();
    if (!image_.isNull() && image_.size() == device && image_.devicePixelRatio() == ratio)
        return;
    QImage resized(device, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(background());
    if (!image_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
    raster_.fitToImage();
    if (!scaleSetByUser_)
        scale_ = {0, 0, float(size.width()), float(size.height())};
    updateDeviceScale();
}

void PicGear::updateDeviceScale() {
    pixelsPerUnitX_ = image_.width() / double(scale_.width);
    pixelsPerUnitY_ = image_.height() / double(scale_.height);
    locate(current(), currentX_, currentY_);
}

inline void PicGear::locate(PixelRaster::Point& p, float x, float y) const {
    raster_.locate(p, (double(x) - scale_.left) * pixelsPerUnitX_,
                   (double(y) - scale_.top) * pixelsPerUnitY_);
}

QPointF PicGear::toUser(const QPointF& widgetPos) const {
    const QRect inner = innerRect();
    const QPointF local = widgetPos - inner.topLeft();
    if (inner.isEmpty())
        return {scale_.left, scale_.top};
    return {scale_.left + local.x() * scale_.width / inner.width(),
            scale_.top + local.y() * scale_.height / inner.height()};
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
// The pen stays.
void PicGear::clear() {
    fitImageToWidget();
    image_.fill(background());
    raster_.forgetPixels();
    moveCurrent(0, 0);
    changed();
}

void PicGear::setPenColor(Rgb color) {
    raster_.setPen(0xFF000000 | (color & 0xFFFFFF));
}

void PicGear::moveCurrent(float x, float y) {
    currentX_ = x;
    currentY_ = y;
    locate(current(), x, y);
}

void PicGear::plotPoint(float x, float y) {
    moveCurrent(x, y);
    raster_.drawDot(current());
    changed();
}

void PicGear::lineTo(float x, float y) {
    const int from = currentEnd_;
    currentEnd_ = 1 - from;
    moveCurrent(x, y);
    raster_.drawLine(ends_[from], current());
    changed();
}

// Asks for one repaint per burst of drawing rather than one per line.
void PicGear::changed() {
    if (repaintRequested_)
        return;
    repaintRequested_ = true;
    update();
}

const QImage& PicGear::image() const {
    raster_.forgetPixels();
    return image_;
}

void PicGear::paintEvent(QPaintEvent*) {
    repaintRequested_ = false;
    fitImageToWidget();
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

void PicGear::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);  // still a press
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PicGear::wheelEvent(QWheelEvent* event) {
    const QPointF user = toUser(event->position());
    emit wheelTurned(float(user.x()), float(user.y()), event->angleDelta().y());
    event->accept();
}

}  // namespace tamrel
