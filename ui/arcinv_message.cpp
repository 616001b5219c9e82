#include "ui/arcinv_message.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace tamrel {

void showArcinvFailure(QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QString::fromLatin1(ArcinvFailureText), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ArcinvFailure"));
    box.exec();
}

}  // namespace tamrel
