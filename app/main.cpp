#include "ui/form_input1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamrel"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));

    tamrel::FormInput1 window;
    window.show();
    return QApplication::exec();
}
