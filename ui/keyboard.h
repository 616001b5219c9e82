#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace tamrel {

// Selects a field's whole text when it is entered. Gear-data fields (CaretAtEnd): the caret at the
// end, so typing replaces the value; a click into a field that already has the focus only moves the
// caret. Reference-grid fields (CaretAtStart): on entering and on every click, anchored at the end
// with the caret at the start, queued so that it is made after Qt's own handling of the focus
// change or click, which would otherwise move the caret again.
class SelectOnEntry : public QObject {
    Q_OBJECT
public:
    enum class Caret { AtEnd, AtStart };
    SelectOnEntry(Caret caret, QObject* parent) : QObject(parent), caret_(caret) {}
    void watch(QLineEdit& field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Caret caret_;
};

// Sees every key press in the window before the focused control does. Enter or Return calls the
// handler once and then goes on to the focused control; every other key passes untouched.
class EnterKeyPreview : public QObject {
    Q_OBJECT
public:
    // Watches the window and every control it holds now.
    EnterKeyPreview(QWidget& window, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> onEnter_;
};

// A control array of option buttons: exactly one can be selected, the group is a single tab stop
// at its selected button, and the arrow keys move the selection round the group. Every click of a
// member, by the user, by the arrow keys or by select(), calls the handler once with its index.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    using ClickHandler = std::function<void(int index)>;

    OptionGroup(QList<QRadioButton*> buttons, ClickHandler onClick, QObject* parent);

    // The index of the selected member, or -1.
    int selectedIndex() const;
    // Selects the member and raises its click, also when it was already selected: setting an
    // option from code is handled like the user's click.
    void select(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveSelection(int from, int step);
    void updateTabStop();

    QList<QRadioButton*> buttons_;
    QButtonGroup* group_;
};

// Chains the window's controls in tab order; Tab after the last wraps round to the first. Tab
// skips the disabled controls and the option buttons that are not selected.
void applyTabOrder(QWidget& window);

}  // namespace tamrel
