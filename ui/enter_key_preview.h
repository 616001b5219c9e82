#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tamrel {

// Sees every key press in the window before the focused control does. Enter or Return calls the
// handler once and then goes on to the focused control; every other key passes untouched.
class EnterKeyPreview : public QObject {
    Q_OBJECT
public:
    EnterKeyPreview(QWidget& window, std::function<void()> onEnter);

    // Watches the window and all its controls; call again after adding controls.
    void watchAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> onEnter_;
};

}  // namespace tamrel
