#pragma once

#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "tests/field_output.h"
#include "ui/form_input1.h"
#include "ui/pic_gear.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace tamrel::test {

// An offscreen FormInput1, shown and active, whose compute runs are counted. A watchdog closes
// every modal dialog and keeps its text; a test fails if one is left unchecked.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&watchdog_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                auto* box = qobject_cast<QMessageBox*>(dialog);
                dialogs_ << (box != nullptr ? box->text() : dialog->windowTitle());
                dialog->reject();
            }
        });
        watchdog_.start(20);
        startWindow([] { return 0.0F; });
    }
    void TearDown() override {
        window_.reset();
        EXPECT_TRUE(dialogs_.isEmpty()) << dialogs_.join(' ').toStdString();
    }

    // Replaces the window with a new one that draws the given start-up random number.
    void startWindow(FormInput1::RandomSource random) {
        window_.reset();
        auto compute = [this](FieldStore& store, ProgramState& state, const NumberLocale& locale) {
            ++runs_;
            state_ = &state;
            if (duringRun_) {
                duringRun_();
            }
            runConversion(store, state, locale);
        };
        window_ = std::make_unique<FormInput1>(std::move(random), compute);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        settle();
    }

    template <class Control = QWidget> Control* control(const QString& name) const {
        auto* found = window_->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* lineEdit(const QString& name) const { return control<QLineEdit>(name); }
    QLineEdit* lineEdit(Field f) const { return lineEdit(QString::fromLatin1(fieldName(f))); }
    PicGear* picture() const { return control<PicGear>("PicGEAR"); }
    // Nothing drawn: every pixel has the colour of the first.
    bool pictureIsBlank() const {
        QImage blank(picture()->image().size(), picture()->image().format());
        blank.fill(picture()->background());
        return picture()->image() == blank;
    }
    // How many pixels of the colour lie between two radii about the origin of the user coordinates.
    int pixelsBetween(double low, double high, QRgb colour) const {
        const UserScale s = picture()->userScale();
        const QImage& image = picture()->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const double r = std::hypot(s.left + (x + 0.5) * s.width / image.width(),
                                            s.top + (y + 0.5) * s.height / image.height());
                count += image.pixel(x, y) == colour && r >= low && r <= high ? 1 : 0;
            }
        }
        return count;
    }
    static QString focusedName() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
    }

    // Runs the queued work Qt and the window leave behind after an event.
    static void settle() { QCoreApplication::processEvents(); }
    // A click near the left edge of a button: on the indicator of an option button or check box.
    void clickButton(const QString& name) {
        auto* button = control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        settle();
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        settle();
    }
    // Drawing-timer ticks as the event loop sends them; none while the timer is stopped.
    void tick(int count = 1) {
        auto* timer = control<QTimer>("TimerPicgear");
        for (int i = 0; i < count && timer->isActive(); ++i) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }

    std::unique_ptr<FormInput1> window_;
    ProgramState* state_ = nullptr;  // the window's, known from its first compute run on
    int runs_ = 0;
    std::function<void()> duringRun_;
    QStringList dialogs_;

private:
    QTimer watchdog_;
};

inline const QRgb Blue = qRgb(0, 0, 255);
inline const QRgb Black = qRgb(0, 0, 0);

}  // namespace tamrel::test
