#include "ui/enter_key_preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tamrel {

EnterKeyPreview::EnterKeyPreview(QWidget& window, std::function<void()> onEnter)
    : QObject(&window), window_(window), onEnter_(std::move(onEnter)) {}

void EnterKeyPreview::watchAll() {
    window_.installEventFilter(this);
    for (QWidget* control : window_.findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
}

bool EnterKeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    // A key the focused control ignores travels on to its frame and the window, passing their
    // filters as well: only its first receiver counts.
    QWidget* receiver = QApplication::focusWidget();
    if (receiver == nullptr || receiver->window() != &window_) {
        receiver = &window_;
    }
    if (watched == receiver) {
        onEnter_();
    }
    return false;
}

}  // namespace tamrel
