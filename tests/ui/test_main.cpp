#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The QApplication must exist before any test creates a widget.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The expected numbers are written with a decimal point.
    QLocale::setDefault(QLocale::c());

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
