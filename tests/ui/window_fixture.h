#pragma once

#include "conversion/compute_run.h"
#include "tests/field_output.h"
#include "ui/form_input1.h"
#include "ui/pic_gear.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// Failure messages show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace tamrel::test {

// An offscreen FormInput1, shown and active, whose compute runs are counted.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { startWindow(); }

    // Replaces the window with a new one that draws the given start-up random number.
    void startWindow(float random = 0.0F) {
        window_.reset();  // first, as it withdraws the ARCINV notifier
        window_ = std::make_unique<FormInput1>(
            [random] { return random; },
            [this](FieldStore& store, ProgramState& state, const NumberLocale& locale) {
                ++runs_;
                duringRun_();
                runConversion(store, state, locale);
            });
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    template <class Control = QWidget> Control* control(const QString& name) const {
        return window_->findChild<Control*>(name);
    }
    QLineEdit* lineEdit(Field f) const { return control<QLineEdit>(fieldName(f)); }
    std::string texts(std::initializer_list<Field> fields) const {
        QStringList shown;
        for (Field f : fields) {
            shown << lineEdit(f)->text();
        }
        return shown.join('|').toStdString();
    }
    bool isRed(Field f) const {
        return lineEdit(f)->palette().color(QPalette::Active, QPalette::Text) == Qt::red;
    }
    static QString focused() { return QApplication::focusWidget()->objectName(); }

    // Runs the queued work Qt and the window leave behind after an event.
    static void settle() { QCoreApplication::processEvents(); }
    // A click near the left edge of a button: on the indicator of an option button or check box.
    void clickButton(const QString& name) {
        auto* button = control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        settle();
    }
    // A key pressed and held: what a key does must happen when it goes down.
    static void press(Qt::Key key) {
        QTest::keyPress(QApplication::focusWidget(), key);
        settle();
    }
    // A drawing-timer tick as the event loop sends it, while the timer runs.
    void tick() {
        QTimerEvent event(control<QTimer>("TimerPicgear")->timerId());
        QCoreApplication::sendEvent(control<QTimer>("TimerPicgear"), &event);
    }

    std::unique_ptr<FormInput1> window_;
    int runs_ = 0;
    std::function<void()> duringRun_ = [] {};
};

}  // namespace tamrel::test
