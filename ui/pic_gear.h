#pragma once

#include "drawing/canvas.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QWidget>

#include <vector>

namespace tamrel {

// The picture area PicGEAR: a sunken panel whose inner area holds an off-screen image that the
// gear is drawn into in the user coordinate system. Every timer tick redraws the whole gear, up
// to a million segments, so lines and points are not painted one by one: they are mapped to
// device pixels at once, thinned of what cannot show, and handed to Qt in batches of one colour.
// The pen is one pixel wide, flat-capped and aliased: each segment is exactly the line Qt draws
// for it on its own, and a segment that stays inside one pixel draws nothing.
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

    // The picture as the widget shows it, every pending line drawn.
    const QImage& image() const;

    QSize sizeHint() const override;

signals:
    // Button bits: 1 left, 2 right, 4 middle. The position is in user coordinates.
    void mousePressed(int buttonBits, float x, float y);
    void mouseMoved(int buttonBits, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // A position in device pixels and the pixel it falls in.
    struct DevicePoint {
        double x;
        double y;
        double column;
        double row;
    };

    QRect innerRect() const;
    void fitImageToWidget();
    void updateDeviceScale();
    static DevicePoint atDevice(double x, double y);
    DevicePoint toDevice(float x, float y) const;
    QPointF toUser(const QPointF& widgetPos) const;
    void moveCurrent(float x, float y);
    void advanceCurrent(float x, float y);
    bool outsideImage(const DevicePoint& a, const DevicePoint& b) const;
    static bool drawsNothing(const DevicePoint& a, const DevicePoint& b);
    void addSegment(DevicePoint from, DevicePoint to);
    void addDot(const DevicePoint& at);
    void queued();
    void flush() const;
    void paintPicture(QPainter& painter) const;
    void paintBorder(QPainter& painter) const;

    UserScale scale_;
    bool scaleSetByUser_ = false;
    double pixelsPerUnitX_ = 1;
    double pixelsPerUnitY_ = 1;
    float currentX_ = 0;
    float currentY_ = 0;
    DevicePoint current_{0, 0, 0, 0};
    QColor penColor_;
    bool repaintRequested_ = false;

    // The picture and what is queued for it; flushing is part of reading, hence mutable.
    mutable QImage image_;
    mutable std::vector<QLineF> pendingLines_;
    mutable std::vector<QPointF> pendingDots_;
};

}  // namespace tamrel
