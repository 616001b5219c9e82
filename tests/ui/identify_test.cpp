// The dialog "Identify gear": opened by Ctrl+I or the context menu of the window's background in
// the interface language, it reports a field that is not a number, lists the candidates, and "Use"
// types the chosen gear into the window and runs the conversion.

#include "window_fixture.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

#include <functional>

namespace tamrel::test {

class IdentifyTest : public WindowTest {
protected:
    // Runs `drive` on the modal dialog (or popup menu) once it is open; one the drive leaves open
    // is closed after ten seconds, so a failure cannot hang the test.
    static void whenShown(std::function<void(QWidget&)> drive) {
        QTimer::singleShot(0, [drive] {
            QWidget* shown = QApplication::activePopupWidget();
            shown = shown ? shown : QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr);
            drive(*shown);
        });
        QTimer::singleShot(10000, [] {
            for (QWidget* left :
                 {QApplication::activePopupWidget(), QApplication::activeModalWidget()})
                if (left)
                    left->close();
        });
    }
    static void click(QWidget& dialog, const char* name) {
        dialog.findChild<QAbstractButton*>(name)->click();
    }
    static void type(QWidget& dialog, const char* name, const QString& text) {
        dialog.findChild<QLineEdit*>(name)->setText(text);
    }
    // The context menu at the centre of a control, as the window gets it.
    void contextMenuAt(const QString& name) {
        const QWidget* under = control(name);
        const QPoint at = under->mapTo(window_.get(), under->rect().center());
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, window_->mapToGlobal(at));
        QApplication::sendEvent(window_.get(), &event);
        settle();
    }
};

TEST_F(IdentifyTest, CtrlITypesTheChosenGearIntoTheWindowAndRunsTheConversion) {
    QString shown;
    whenShown([&shown](QWidget& dialog) {
        for (const auto& [name, text] : {std::pair{"TextTeeth", "59"},
                                         {"TextSpanCount", "7"},
                                         {"TextSpan0", "63.507"},
                                         {"TextSpan1", "72.88O"},
                                         {"TextTip", "199.37"}})
            type(dialog, name, text);
        click(dialog, "ComIdentify");
        shown = dialog.findChild<QLabel*>("LabelStatus")->text();
        type(dialog, "TextSpan1", "72.880");
        click(dialog, "ComIdentify");
        const auto* table = dialog.findChild<QTableWidget*>("GridCandidates");
        for (int column = 0; column < table->columnCount(); ++column)
            shown += '|' + table->item(0, column)->text();
        shown += '|' + QString::number(table->rowCount());
        click(dialog, "ComUse");
    });
    QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(shown, "不是数字：跨齿距 W(k+1)|径节|8|20|15.006|-0.1446|0.00|1");
    EXPECT_EQ(texts({Field::MN, Field::PN, Field::ZG, Field::ZMG, Field::RefW, Field::UpperW,
                     Field::LowerW, Field::Error}),
              "-8|20|59|7|63.507|0|0|");
    EXPECT_TRUE(lineEdit(Field::BOG)->text().startsWith("15.005"));
    EXPECT_TRUE(control<QAbstractButton>("OptS(1)")->isChecked());
    // The conversion's Xn, M and Sn of the gear in hand.
    for (Field f : {Field::MidXn, Field::MidM, Field::MidSn}) {
        bool number = false;
        lineEdit(f)->text().toDouble(&number);
        EXPECT_TRUE(number) << fieldName(f);
    }
    EXPECT_NEAR(lineEdit(Field::MidXn)->text().toDouble(), -0.1446, 1e-4);
}

// The menu comes up on the background and its labels, not on the picture; the menu and the dialog
// speak the interface language. Closing the dialog changes nothing.
TEST_F(IdentifyTest, TheBackgroundsMenuOpensTheDialogInTheInterfaceLanguage) {
    const auto allTexts = [this] {
        QStringList all;
        for (Field f : allFields())
            all << lineEdit(f)->text();
        return all;
    };
    const QStringList before = allTexts();
    QStringList shown;
    for (int language : {0, 1, 2}) {
        control<QAbstractButton>(QString("OptLan(%1)").arg(language))->click();
        whenShown([&shown](QWidget& menu) {
            QAction* identify = menu.findChild<QAction*>("ActionIdentify");
            shown << identify->text();
            whenShown([&shown](QWidget& dialog) {
                const auto* table = dialog.findChild<QTableWidget*>("GridCandidates");
                shown << dialog.windowTitle() + '|' +
                             dialog.findChild<QLabel*>("LabelSpan2")->text() + '|' +
                             table->horizontalHeaderItem(5)->text() + '|' +
                             dialog.findChild<QAbstractButton*>("ComUse")->text();
                click(dialog, "ComClose");
            });
            QTest::mouseClick(&menu, Qt::LeftButton, {},
                              static_cast<QMenu&>(menu).actionGeometry(identify).center());
        });
        contextMenuAt("Label8");
    }
    EXPECT_EQ(shown.join('\n'),
              "识别齿轮…\tCtrl+I\n识别齿轮|跨齿距 W(k+2)（可选）|最大残差/公差|使用\n"
              "Identify gear…\tCtrl+I\nIdentify gear|W over k+2 (optional)|Largest residual / "
              "tol.|Use\n歯車の特定…\tCtrl+I\n歯車の特定|マタギ歯厚 W(k+2)（任意）|最大残差/公差|"
              "使用");
    EXPECT_EQ(allTexts(), before);
    QWidget* popup = nullptr;
    QTimer::singleShot(0, [&popup] {
        popup = QApplication::activePopupWidget();
        if (popup)
            popup->close();
    });
    contextMenuAt("PicGEAR");
    EXPECT_EQ(popup, nullptr);
}

}  // namespace tamrel::test
