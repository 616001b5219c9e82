#include "window_fixture.h"

#include "conversion/compute_run.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace tamrel::test {

void WindowTest::SetUp() {
    watchdog_.setInterval(20);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { closeModalDialog(); });
    watchdog_.start();
    startWindow([] { return 0.0F; });
}

void WindowTest::TearDown() {
    window_.reset();
    watchdog_.stop();
    if (!dialogsExpected_) {
        EXPECT_TRUE(dialogs_.empty())
            << "unexpected dialog: " << dialogs_.front().text.toStdString();
    }
}

void WindowTest::startWindow(FormInput1::RandomSource random) {
    window_.reset();
    auto compute = [this](FieldStore& store, ProgramState& state, const NumberLocale& locale) {
        ++runs_;
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

void WindowTest::closeModalDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
        return;
    }
    SeenDialog seen{dialog->windowTitle(), {}, 0};
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        seen.text = box->text();
        seen.buttonCount = static_cast<int>(box->buttons().size());
    }
    dialogs_.push_back(seen);
    dialog->reject();
}

QLineEdit* WindowTest::lineEdit(const char* name) const {
    return control<QLineEdit>(QString::fromUtf8(name));
}

QWidget* WindowTest::focused() const {
    return QApplication::focusWidget();
}

QString WindowTest::focusedName() const {
    return focused() != nullptr ? focused()->objectName() : QStringLiteral("<none>");
}

void WindowTest::settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void WindowTest::clickCompute() {
    QTest::mouseClick(control<QPushButton>(QStringLiteral("ComGo")), Qt::LeftButton);
    settle();
}

void WindowTest::press(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(focused(), static_cast<Qt::Key>(key), modifiers);
    settle();
}

}  // namespace tamrel::test
