#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QButtonGroup;
class QRadioButton;

namespace tamrel {

// A control array of option buttons: exactly one can be selected, the group is a single tab stop
// at its selected button, and the arrow keys move the selection round the group. Every click of a
// member, by the user, by the arrow keys or by code (selectOption), calls the handler once with the
// member's index.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    using ClickHandler = std::function<void(int index)>;

    OptionGroup(QList<QRadioButton*> buttons, ClickHandler onClick, QObject* parent);

    // The index of the selected member, or -1.
    int selectedIndex() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveSelection(int from, int step);
    void updateTabStop();

    QList<QRadioButton*> buttons_;
    QButtonGroup* group_;
};

}  // namespace tamrel
