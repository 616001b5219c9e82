#pragma once

#include "ui/fields.h"
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

// An offscreen FormInput1, shown and active.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { startWindow(); }

    // Replaces the window with a new one that draws the given start-up random number and runs
    // the given compute run (runConversion when empty).
    void startWindow(float random = 0.0F, FormInput1::ComputeRun run = {}) {
        window_.reset();  // first, as it withdraws the ARCINV notifier
        window_ = std::make_unique<FormInput1>([random] { return random; }, run);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    template <class Control = QWidget> Control* control(const QString& name) const {
        return window_->findChild<Control*>(name);
    }
    QLineEdit* lineEdit(Field f) const { return control<QLineEdit>(fieldName(f)); }
    std::string texts(std::initializer_list<Field> fields) const {
        QStringList shown;
        for (Field f : fields)
            shown << lineEdit(f)->text();
        return shown.join('|').toStdString();
    }
    // Every field's state as a hex digit in window order, a space before each row of six: 1 red
    // text, 2 enabled, 4 read-only, 8 arrow cursor.
    QString states() const {
        QString shown;
        for (Field f : allFields()) {
            const QLineEdit* e = lineEdit(f);
            const bool red = e->palette().color(QPalette::Active, QPalette::Text) == Qt::red;
            const bool arrow = e->cursor().shape() == Qt::ArrowCursor;
            const int state = red + 2 * e->isEnabled() + 4 * e->isReadOnly() + 8 * arrow;
            shown += QString(indexOf(f) % 6 ? "" : " ") + QString::number(state, 16);
        }
        return shown;
    }
    // The focused control's name, with a "?" when it is a field whose text is not all selected.
    static QString focused() {
        const auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const bool partly = edit && edit->selectedText() != edit->text();
        return QApplication::focusWidget()->objectName() + (partly ? "?" : "");
    }

    // Runs the queued work Qt and the window leave behind after an event.
    static void settle() { QCoreApplication::processEvents(); }
    // A click near the left edge of a button: on the indicator of an option button or check box.
    // Gives the control that has the focus afterwards, as press() does.
    QString clickButton(const QString& name) {
        auto* button = control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        settle();
        return focused();
    }
    // A key pressed and held: what a key does must happen when it goes down.
    static QString press(Qt::Key key) {
        QTest::keyPress(QApplication::focusWidget(), key);
        settle();
        return focused();
    }
    // The key pressed in the named control.
    QString press(const QString& name, Qt::Key key) {
        control(name)->setFocus();
        return press(key);
    }
    // A drawing-timer tick as the event loop sends it, while the timer runs.
    void tick() {
        QTimerEvent event(control<QTimer>("TimerPicgear")->timerId());
        QCoreApplication::sendEvent(control<QTimer>("TimerPicgear"), &event);
    }

    std::unique_ptr<FormInput1> window_;
};

}  // namespace tamrel::test
