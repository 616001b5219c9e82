#include "ui/field_selection.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace tamrel {

namespace {

bool isClickInside(const QEvent& event, const QWidget& widget) {
    if (event.type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    return mouse.button() == Qt::LeftButton && widget.rect().contains(mouse.position().toPoint());
}

void selectFromEndLater(QLineEdit* field) {
    QTimer::singleShot(0, field, [field = QPointer<QLineEdit>(field)] {
        if (field && field->hasFocus()) {
            const int length = static_cast<int>(field->text().size());
            field->setSelection(length, -length);
        }
    });
}

}  // namespace

bool entersField(const QEvent& event) {
    if (event.type() != QEvent::FocusIn) {
        return false;
    }
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void SelectAllOnFocus::watch(QLineEdit& field) {
    field.installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && entersField(*event)) {
        field->setSelection(0, static_cast<int>(field->text().size()));
    }
    return false;
}

void SelectAllFromEnd::watch(QLineEdit& field) {
    field.installEventFilter(this);
}

bool SelectAllFromEnd::eventFilter(QObject* watched, QEvent* event) {
    // A field being destroyed is no longer a QLineEdit when its last events pass the filter.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr) {
        return false;
    }
    if (entersField(*event) || isClickInside(*event, *field)) {
        selectFromEndLater(field);
    }
    return false;
}

}  // namespace tamrel
