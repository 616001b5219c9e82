#pragma once

#include "drawing/canvas.h"
#include "ui/pixel_raster.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

namespace tamrel {

// The picture area PicGEAR: a sunken panel whose inner area holds an off-screen image, at the
// screen's device pixel ratio, that the gear is drawn into in the user coordinate system. Every
// timer tick redraws the whole gear, up to 1.3 million segments, so points and lines go straight
// into the image's pixels (see PixelRaster) with no painter per call; the widget shows the image at
// its next paint.
class PicGear : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit PicGear(QWidget* parent = nullptr);

    void clear() override;
    void setPenColor(Rgb color) override;
    void plotPoint(float x, float y) override;
    void lineTo(float x, float y) override;
    UserScale userScale() const override;
    void setUserScale(const UserScale& scale) override;

    // The picture as the widget shows it, in device pixels.
    const QImage& image() const;
    // The palette's Base colour; white when that is dark, so that black lines stay visible.
    QColor background() const;

    QSize sizeHint() const override;

signals:
    // Button bits: 1 left, 2 right, 4 middle. The position is in user coordinates.
    void mousePressed(int buttonBits, float x, float y);
    void mouseMoved(int buttonBits, float x, float y);
    // The wheel turned by angleDelta eighths of a degree (120 a notch) over the user point (x, y).
    void wheelTurned(float x, float y, int angleDelta);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect innerRect() const;
    void fitImageToWidget();
    void updateDeviceScale();
    void locate(PixelRaster::Point& p, float x, float y) const;
    QPointF toUser(const QPointF& widgetPos) const;
    PixelRaster::Point& current() { return ends_[currentEnd_]; }
    void moveCurrent(float x, float y);
    void changed();
    void paintPicture(QPainter& painter) const;
    void paintBorder(QPainter& painter) const;

    UserScale scale_;
    bool scaleSetByUser_ = false;
    double pixelsPerUnitX_ = 1;
    double pixelsPerUnitY_ = 1;
    float currentX_ = 0;
    float currentY_ = 0;
    bool repaintRequested_ = false;

    QImage image_;
    // Drawing writes pixels, so handing out the image makes the raster look its pixels up anew.
    mutable PixelRaster raster_{image_};
    // The current position and the one before it, alternating: a line's start is never copied.
    PixelRaster::Point ends_[2];
    int currentEnd_ = 0;
};

}  // namespace tamrel
