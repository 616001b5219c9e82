#include "ui/keyboard.h"

#include "ui/control_table.h"
#include "ui/fields.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>

#include <string>
#include <vector>

namespace tamrel {

namespace {

// Whether a focus-in event means the user (or the program) entered the field, rather than the
// focus coming back with the window's activation or the closing of a popup menu.
bool entersField(const QEvent& event) {
    if (event.type() != QEvent::FocusIn) {
        return false;
    }
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

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

// The controls that can take the focus, in tab order.
std::vector<std::string> tabOrder() {
    std::vector<std::string> order;
    for (Field f : {Field::MN, Field::PN, Field::ZG, Field::BOG, Field::ZMG, Field::DPG}) {
        order.push_back(fieldName(f));
    }
    for (Quantity q : Quantities) {
        for (auto column : {reference, upperTolerance, lowerTolerance}) {
            order.push_back(fieldName(column(q)));
        }
    }
    order.push_back("ComGo");
    for (int i = 0; i < QuantityCount; ++i) {
        order.push_back(indexedName("OptS", i));
    }
    // The result fields column by column: middle, then max, then min, each from Xn to Sn.
    for (auto column : {middle, maximum, minimum}) {
        for (Quantity q : Quantities) {
            order.push_back(fieldName(column(q)));
        }
    }
    order.push_back(fieldName(Field::Error));
    for (int i = 2; i >= 0; --i) {
        order.push_back(indexedName("OptLan", i));
    }
    for (const char* name :
         {"PicGEAR", fieldName(Field::DKG), fieldName(Field::DRG), "Check1", "Check3", "Check2"}) {
        order.push_back(name);
    }
    return order;
}

}  // namespace

void SelectOnEntry::watch(QLineEdit& field) {
    field.installEventFilter(this);
}

bool SelectOnEntry::eventFilter(QObject* watched, QEvent* event) {
    // A field being destroyed is no longer a QLineEdit when its last events pass the filter.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr) {
        return false;
    }
    if (caret_ == Caret::AtEnd && entersField(*event)) {
        field->setSelection(0, static_cast<int>(field->text().size()));
    } else if (caret_ == Caret::AtStart && (entersField(*event) || isClickInside(*event, *field))) {
        selectFromEndLater(field);
    }
    return false;
}

EnterKeyPreview::EnterKeyPreview(QWidget& window, std::function<void()> onEnter)
    : QObject(&window), window_(window), onEnter_(std::move(onEnter)) {
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

OptionGroup::OptionGroup(QList<QRadioButton*> buttons, ClickHandler onClick, QObject* parent)
    : QObject(parent), buttons_(std::move(buttons)), group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
    for (int i = 0; i < buttons_.size(); ++i) {
        QRadioButton* button = buttons_[i];
        group_->addButton(button, i);
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this, [onClick, i] { onClick(i); });
    }
    connect(group_, &QButtonGroup::buttonToggled, this, &OptionGroup::updateTabStop);
    updateTabStop();
}

int OptionGroup::selectedIndex() const {
    return group_->checkedId();
}

// Qt's setChecked() emits no clicked(), so the click is raised here.
void OptionGroup::select(int index) {
    QRadioButton* button = buttons_[index];
    button->setChecked(true);
    emit button->clicked(true);
}

bool OptionGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int index = buttons_.indexOf(static_cast<QRadioButton*>(watched));
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        moveSelection(index, -1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
        moveSelection(index, +1);
        return true;
    default:
        return false;
    }
}

// Focus moves first, then the click: a handler that moves the focus elsewhere has the last word.
void OptionGroup::moveSelection(int from, int step) {
    if (from < 0) {
        return;
    }
    const int count = static_cast<int>(buttons_.size());
    const int next = (from + step + count) % count;
    buttons_[next]->setFocus(Qt::OtherFocusReason);
    select(next);
}

// Only the selected member takes the focus by Tab; all of them still take it by a click.
void OptionGroup::updateTabStop() {
    for (QRadioButton* button : buttons_) {
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void applyTabOrder(QWidget& window) {
    QWidget* previous = nullptr;
    for (const std::string& name : tabOrder()) {
        QWidget* control = window.findChild<QWidget*>(QString::fromStdString(name));
        if (control == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace tamrel
