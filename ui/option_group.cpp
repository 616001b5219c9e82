#include "ui/option_group.h"

#include "ui/button_clicks.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace tamrel {

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
    if (from < 0 || buttons_.isEmpty()) {
        return;
    }
    const int count = static_cast<int>(buttons_.size());
    QRadioButton* next = buttons_[(from + step + count) % count];
    next->setFocus(Qt::OtherFocusReason);
    selectOption(*next);
}

// Only the selected member takes the focus by Tab; all of them still take it by a click.
void OptionGroup::updateTabStop() {
    for (QRadioButton* button : buttons_) {
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace tamrel
