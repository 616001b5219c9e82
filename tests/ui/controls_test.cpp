// What the window's buttons and check boxes do: reference selection, languages, the drawing
// switches, the ARCINV message, and a conversion that matches tamrel-cli's.

#include "tests/cli/run_program.h"
#include "window_fixture.h"

#include "geometry/angles.h"
#include "ui/captions.h"

#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>

#include <array>
#include <map>

namespace tamrel::test {
namespace {

using ReferenceSelectionTest = WindowTest;

std::array<Field, 3> inputRow(int q) {
    return {reference(q), upperTolerance(q), lowerTolerance(q)};
}

TEST_F(ReferenceSelectionTest, SelectedRowBecomesTheRedEditableFocusedRow) {
    for (int k : {0, 3, 2, 1}) {
        clickButton(QString("OptS(%1)").arg(k));
        for (Quantity q : Quantities) {
            for (Field f : inputRow(q)) {
                const QLineEdit& field = *lineEdit(f);
                EXPECT_EQ(field.isEnabled(), q == k) << f << " k=" << k;
                EXPECT_EQ(field.palette().color(QPalette::Active, QPalette::Text),
                          q == k ? QColor(Qt::red) : QColor(Qt::black))
                    << f << " k=" << k;
            }
        }
        EXPECT_EQ(focusedName().toStdString(), fieldName(reference(k)));
        EXPECT_EQ(lineEdit(reference(k))->selectedText(), lineEdit(reference(k))->text());
    }
    EXPECT_EQ(runs_, 0);
}

TEST_F(ReferenceSelectionTest, OnlyExactPlaceholdersBecomeZero) {
    struct Case {
        int quantity;
        std::array<const char*, 3> before, after;
    };
    for (const Case& c : {Case{2, {"---", "---", "---"}, {"0", "0", "0"}},
                          Case{3, {"4.6533", " ---", "---"}, {"4.6533", " ---", "0"}},
                          Case{0, {"", "--", "---0"}, {"", "--", "---0"}}}) {
        for (int column = 0; column < 3; ++column) {
            window_->setText(inputRow(c.quantity)[column], c.before[column]);
        }
        clickButton(QString("OptS(%1)").arg(c.quantity));
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(window_->text(inputRow(c.quantity)[column]), c.after[column]) << c.quantity;
        }
    }
}

using LanguageTest = WindowTest;

QString caption(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    if (auto* frame = qobject_cast<const QGroupBox*>(&control)) {
        return frame->title();
    }
    return qobject_cast<const QAbstractButton*>(&control)->text();
}

TEST_F(LanguageTest, EverySwitchSetsEveryCaptionAndNothingElse) {
    const QStringList names =
        QString(
            "Label1 Label2 Label34 Label64 Label18 Label20 Label5(0) Label3(0) Label4(0) "
            "Label5(1) Label3(1) Label4(1) OptS(0) OptS(1) OptS(2) OptS(3) Frame2 Label8 Label6 "
            "Label7 Frame3 Check1 Check2 Check3 Frame1 OptLan(0) OptLan(1) OptLan(2) ComGo")
            .split(' ');
    const std::array<const char*, LanguageCount> captions{
        "法向模数|法向压力角|齿数|螺旋角|跨齿枚数|量棒直径|齿厚区分|+公差|-公差|中间值|最大值|"
        "最小值|法向变位系数|跨齿距|跨棒距|法向圆弧齿厚|基本参数输入|基准值|齿顶圆径|齿根圆径|"
        "可选参数输入|自动设定|转动的齿轮|绘制图形|LANGUAGE|Chinese|English|Japanese|==>",
        "MN|PN|ZG|BOG|ZMG|DPG|Thickness|+|-|MID|MAX|MIN|Xn|SMG|DMG|SN|Input|Reference|DKG|DRG|"
        "Optional|AUTO|Rotate|Draw|LANGUAGE|Chinese|English|Japanese|==>",
        "モジュール|圧力角|歯数|ネジレ角|マタギ枚数|ピン径|歯厚区分|+公差|-公差|中間値|最大値|"
        "最小値|転位係数|マタギ歯厚|オーバピン径|円弧歯厚|諸元入力|基準値|外径|歯底径|Optional|"
        "自動設定|回る歯車|図形を描く|LANGUAGE|Chinese|English|Japanese|==>"};
    // After a run and with a message in TextError: English, Japanese, then Chinese again.
    clickButton("ComGo");
    window_->setText(Field::Error, "ERROR:MN was wrong!");
    std::map<QString, QString> before;
    for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
        before[edit->objectName()] = edit->text();
    }
    for (int step = 0; step <= LanguageCount; ++step) {
        const int language = step % LanguageCount;
        if (step > 0) {
            clickButton(QString("OptLan(%1)").arg(language));
        }
        QStringList shown;
        for (const QString& name : names) {
            shown << caption(*control(name));
        }
        EXPECT_EQ(shown.join('|'), QString::fromUtf8(captions[language])) << language;
        EXPECT_EQ(window_->windowTitle(),
                  "Tamrel2.0                Email: tamrel-support@users.noreply.example.org");
    }
    // No field changed, TextError neither, and nothing was computed.
    for (const QLineEdit* edit : window_->findChildren<QLineEdit*>()) {
        EXPECT_EQ(edit->text(), before[edit->objectName()]) << edit->objectName().toStdString();
    }
    EXPECT_EQ(runs_, 1);
}

using DrawingControlsTest = WindowTest;

TEST_F(DrawingControlsTest, PictureShowsTheGearFromTheFirstSuccessfulRunOn) {
    // Nothing before a run has succeeded, not even after a failed one.
    tick(5);
    EXPECT_TRUE(pictureIsBlank());
    window_->setText(Field::ZG, "0");
    clickButton("ComGo");
    tick(5);
    EXPECT_TRUE(pictureIsBlank());

    window_->setText(Field::ZG, "59");
    clickButton("ComGo");
    tick();
    // The tip circle (diameter 199.3656) in blue; black flanks between the root circle
    // (185.0781) and the reference circle (about 194).
    EXPECT_GT(pixelsBetween(99, 101.3, Blue), 400);
    EXPECT_GT(pixelsBetween(93.5, 96, Black), 200);

    // Check1 off: typed diameters show at the next tick.
    clickButton("Check1");
    EXPECT_TRUE(lineEdit(Field::DKG)->isEnabled() && lineEdit(Field::DRG)->isEnabled());
    window_->setText(Field::DKG, "220");
    EXPECT_EQ(pixelsBetween(109, 111.3, Blue), 0);
    tick();
    EXPECT_GT(pixelsBetween(109, 111.3, Blue), 400);
    clickButton("Check1");
    EXPECT_FALSE(lineEdit(Field::DKG)->isEnabled() || lineEdit(Field::DRG)->isEnabled());
}

TEST_F(DrawingControlsTest, PanCheck2TurnsAndCheck3Draws) {
    clickButton("ComGo");
    // A left drag from (10, 20) to (15, 18) pans the view.
    const UserScale fitted = picture()->userScale();
    emit picture()->mousePressed(1, 10, 20);
    emit picture()->mouseMoved(1, 15, 18);
    EXPECT_FLOAT_EQ(picture()->userScale().left, fitted.left - 5);
    EXPECT_FLOAT_EQ(picture()->userScale().top, fitted.top + 2);

    // Check2 on: a milliradian per tick; off: the gear stands.
    ASSERT_NE(state_, nullptr);
    tick(1000);
    EXPECT_NEAR(state_->rotationAngle, 1.0, 0.01);
    clickButton("Check2");
    const float stopped = state_->rotationAngle;
    tick(100);
    EXPECT_EQ(state_->rotationAngle, stopped);

    // Check3 off: no timer, an empty picture at once, Check2 disabled.
    clickButton("Check3");
    EXPECT_FALSE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_TRUE(pictureIsBlank());
    EXPECT_FALSE(control("Check2")->isEnabled());
    clickButton("Check3");
    EXPECT_TRUE(control("Check2")->isEnabled());
    tick();
    EXPECT_FALSE(pictureIsBlank());

    // Every run resets the turn, a failed one too.
    window_->setText(Field::MN, "abc");
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::Error)->text(), "ERROR:MN was wrong!");
    EXPECT_EQ(state_->rotationAngle, 0.0F);
}

TEST_F(DrawingControlsTest, ArcinvFailureShowsTheModalMessage) {
    ARCINV(NAN);
    EXPECT_EQ(dialogs_, QStringList{"Error occurred in ARCINV function!"});
    dialogs_.clear();
}

using CliParityTest = WindowTest;

// The command line and the window are two faces of one engine: the same gear with M as the
// reference gives the same texts in every field.
TEST_F(CliParityTest, JsonEqualsTheWindowFieldByField) {
    clickButton("OptS(2)");
    window_->setText(Field::UpperM, "0.01");
    window_->setText(Field::LowerM, "-0.02");
    clickButton("ComGo");
    const auto cli = tamrel::testing::runProgram(
        TAMREL_CLI_PATH, {"--mn",    "3.175",    "--pn",    "20",    "--zg",    "59",    "--bog",
                          "15",      "--zmg",    "8",       "--dpg", "5.5",     "--ref", "M",
                          "--value", "200.7889", "--upper", "0.01",  "--lower", "-0.02", "--json"});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(cli.out)).object();
    ASSERT_EQ(json.size(), 12 + 12 + 3);
    for (auto it = json.begin(); it != json.end(); ++it) {
        EXPECT_EQ(lineEdit(it.key())->text(), it.value().toString()) << it.key().toStdString();
    }
    EXPECT_EQ(json.value("TextError").toString(), "");
}

}  // namespace
}  // namespace tamrel::test
