#pragma once

#include "conversion/field_names.h"
#include "ui/form_input1.h"

#include <QLineEdit>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tamrel::test {

// A modal dialog seen and closed by the watchdog.
struct SeenDialog {
    QString title;
    QString text;
    int buttonCount = 0;
};

// An offscreen FormInput1, shown and active, whose compute runs are counted. A watchdog closes
// every modal dialog that appears; a test that does not expect one fails.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the window with a new one that draws the given start-up random number.
    void startWindow(FormInput1::RandomSource random);

    QLineEdit* lineEdit(const char* name) const;
    QLineEdit* lineEdit(const std::string& name) const { return lineEdit(name.c_str()); }
    template <class Control> Control* control(const QString& name) const {
        Control* found = window_->findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QWidget* focused() const;
    QString focusedName() const;

    // Runs the queued work Qt and the window leave behind after an event.
    static void settle();
    void clickCompute();
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<FormInput1> window_;
    int runs_ = 0;
    std::function<void()> duringRun_;
    bool dialogsExpected_ = false;
    std::vector<SeenDialog> dialogs_;

private:
    void closeModalDialog();
    QTimer watchdog_;
};

}  // namespace tamrel::test
