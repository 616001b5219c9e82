#include "tamrel_version.h"
#include "ui/form_input1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamrel"));
    QApplication::setApplicationVersion(QStringLiteral(TAMREL_VERSION));

    tamrel::FormInput1 window;
    window.show();
    return QApplication::exec();
}
