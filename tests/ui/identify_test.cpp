// The dialog "Identify gear": opened by Ctrl+I or the context menu of the window's background in
// the interface language, it reports a field that is not a number, lists the candidates, and "Use"
// types the chosen gear into the window and runs the conversion.

#include "window_fixture.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

#include <functional>

namespace tamrel::test {

// The window's start gear as measured, as field=text: DP 8, 20 degrees, 15 degrees, Xn -0.1446.
const QString Gear =
    "TextTeeth=59 TextSpanCount=7 TextSpan0=63.507 TextSpan1=72.880 TextTip=199.37";

class IdentifyTest : public WindowTest {
protected:
    // Runs `drive` on the modal dialog once it is open; the drive must close it. One left open, as
    // after a failure, is closed, so that the test cannot hang.
    static void whenShown(std::function<void(QWidget&)> drive) {
        QTimer::singleShot(0, [drive] {
            QWidget* shown = QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr);
            drive(*shown);
            EXPECT_FALSE(shown->isVisible()) << "left open";
            shown->close();
        });
    }
    static void click(QWidget& d, const char* n) { d.findChild<QAbstractButton*>(n)->click(); }
    // Types each field=text of `typed` into the dialog and clicks "Identify": the status, the first
    // candidate's cells and the number of candidates.
    static QString identify(QWidget& dialog, const QString& typed) {
        for (const QString& field : typed.split(' '))
            dialog.findChild<QLineEdit*>(field.section('=', 0, 0))->setText(field.section('=', 1));
        click(dialog, "ComIdentify");
        const auto* table = dialog.findChild<QTableWidget*>("GridCandidates");
        QString shown = dialog.findChild<QLabel*>("LabelStatus")->text();
        for (int column = 0; table->rowCount() > 0 && column < table->columnCount(); ++column)
            shown += '|' + table->item(0, column)->text();
        return shown + '|' + QString::number(table->rowCount());
    }
    // The entry of the context menu at the centre of a control, as the window gets it, chosen
    // with `drive` run on the dialog it opens; empty when no menu comes up.
    QString menuAt(const QString& name, std::function<void(QWidget&)> drive = {}) {
        QString entry;
        QTimer::singleShot(0, [&entry, drive] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                QAction* action = menu->findChild<QAction*>("ActionIdentify");
                entry = action->text();
                whenShown(drive);
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                menu->close();
            }
        });
        const QWidget* under = control(name);
        const QPoint at = under->mapTo(window_.get(), under->rect().center());
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, window_->mapToGlobal(at));
        QApplication::sendEvent(window_.get(), &event);
        settle();
        return entry;
    }
};

// A ball without M, a root above the tip and a third span off the others count, until they are
// cleared; the largest k whose k + 2 an int holds goes to the engine. The window starts on another
// reference row.
TEST_F(IdentifyTest, CtrlITypesTheChosenGearIntoTheWindowAndRunsTheConversion) {
    QStringList shown;
    whenShown([&shown](QWidget& dialog) {
        shown << identify(dialog, Gear + " TextSpan1=72.88O TextBall=5.5")
              << identify(dialog, "TextSpan1=72.880 TextRoot=300") << identify(dialog, "TextBall=")
              << identify(dialog, "TextRoot= TextSpan2=82.2")
              << identify(dialog, "TextSpan2= TextSpanCount=2147483645")
              << identify(dialog, "TextSpanCount=7");
        click(dialog, "ComUse");
    });
    control<QAbstractButton>("OptS(0)")->click();
    QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(
        shown.join('\n'),
        "不是数字：跨齿距 W(k+1)|0\n不是数字：跨棒距 M|0\n齿根圆径必须大于 0 且小于齿顶圆径|0\n"
        "没有标准模数或径节与标准压力角符合这些跨齿距的基节|径节|8|20|15.071|"
        "-0.1539|7.07|5\n跨齿枚数必须至少为 1 "
        "且小于齿数|0\n符合的候选：1|径节|8|20|15.006|-0.1446|0.00|1");
    EXPECT_EQ(texts({Field::MN, Field::PN, Field::ZG, Field::ZMG, Field::RefW, Field::UpperW,
                     Field::LowerW, Field::Error}),
              "-8|20|59|7|63.507|0|0|");
    // The helix angle as found, and the conversion's Xn, M and Sn of the gear in hand.
    QStringList numbers;
    for (Field f : {Field::BOG, Field::MidXn, Field::MidM, Field::MidSn})
        numbers << QString::number(lineEdit(f)->text().toDouble(), 'f', 3);
    EXPECT_EQ(numbers.join('|'), "15.006|-0.145|200.793|4.653");
    EXPECT_TRUE(control<QAbstractButton>("OptS(1)")->isChecked());
}

// The menu comes up on the background and its labels, not on the picture; the menu, the dialog's
// captions and its messages speak the interface language.
TEST_F(IdentifyTest, TheBackgroundsMenuOpensTheDialogInTheInterfaceLanguage) {
    EXPECT_EQ(menuAt("PicGEAR"), "");
    QStringList shown;
    for (int language : {0, 1, 2}) {
        control<QAbstractButton>(QString("OptLan(%1)").arg(language))->click();
        shown << menuAt("Label8", [&shown](QWidget& dialog) {
            const auto* table = dialog.findChild<QTableWidget*>("GridCandidates");
            shown << dialog.windowTitle() << dialog.findChild<QGroupBox*>("FrameHelix")->title()
                  << dialog.findChild<QLabel*>("LabelSpan2")->text()
                  << table->horizontalHeaderItem(5)->text()
                  << dialog.findChild<QAbstractButton*>("ComUse")->text();
            click(dialog, "OptSpur");
            shown << identify(dialog, Gear).section('|', 0, 1);
            click(dialog, "ComClose");
        });
    }
    EXPECT_EQ(
        shown.join('|'),
        "识别齿轮|螺旋角|跨齿距 W(k+2)（可选）|最大残差/公差|使用|"
        "没有标准齿轮符合所有测量值；下面是最接近的|径节|识别齿轮…\tCtrl+I|"
        "Identify gear|Helix angle|W over k+2 (optional)|Largest residual / tol.|Use|"
        "no standard gear fits every measurement; the nearest follow|DP|Identify gear…\tCtrl+I|"
        "歯車の特定|ネジレ角|マタギ歯厚 W(k+2)（任意）|最大残差/公差|使用|"
        "すべての測定値に合う標準歯車はありません。最も近いものを示します|DP|歯車の特定…\tCtrl+I");
}

}  // namespace tamrel::test
