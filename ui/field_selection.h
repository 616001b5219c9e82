#pragma once

#include <QObject>

class QLineEdit;

namespace tamrel {

// Gear-data fields: entering the field selects its whole text with the caret at the end, so typing
// replaces the value. A click into a field that already has the focus only moves the caret.
class SelectAllOnFocus : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void watch(QLineEdit& field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Reference-grid fields: entering the field and every click into it select the whole text,
// anchored at its end with the caret at its start. The selection is queued so that it is made after
// Qt's own handling of the focus change or click, which would otherwise move the caret again.
class SelectAllFromEnd : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void watch(QLineEdit& field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Whether a focus-in event means the user (or the program) entered the field, rather than the
// focus coming back with the window's activation or the closing of a popup menu.
bool entersField(const QEvent& event);

}  // namespace tamrel
