// The window: its start state, hints and comma locale, accessible names, cursors and tooltips,
// and what its controls and keys do: reference selection, languages, the drawing switches, the
// ARCINV message, tab order, Enter, what entering or clicking a field selects, and the inspection
// aids' tooltips.

#include "window_fixture.h"

#include "geometry/angles.h"
#include "inspection/run_inspection.h"
#include "ui/captions.h"

#include <QLocale>
#include <QSet>
#include <QWheelEvent>

#include <cmath>
#include <stdexcept>

namespace tamrel::test {

TEST_F(WindowTest, StartsWithTheDefaultGearAndItsHintAndConvertsItAtOnce) {
    EXPECT_EQ(texts({Field::MN, Field::DPG, Field::DKG, Field::RefXn, Field::RefW, Field::LowerW,
                     Field::MinSn, Field::Error}),
              "3.175|5.5|200.2831|-0.1445|72.8801|0|---|节径时法向模数请输入负值。");
    // Red: gear data, diameters and the W row. Disabled: the diameters and the other input rows.
    // Read-only: the results and the message line, which alone shows the arrow.
    for (Field f : allFields()) {
        // The grid of six columns starts at field 6, RefXn: 0 to 2 are inputs, 3 to 5 results.
        const int column = f >= Field::RefXn && f < Field::DKG ? indexOf(f) % 6 : -1;
        const bool red = (column < 0 && f != Field::Error) || (f >= Field::RefW && f < Field::MidW);
        const bool readOnly = column > 2 || f == Field::Error;
        EXPECT_EQ(isRed(f), red) << f;
        EXPECT_EQ(lineEdit(f)->isEnabled(), red ? f < Field::DKG : readOnly) << f;
        EXPECT_EQ(lineEdit(f)->isReadOnly(), readOnly) << f;
        EXPECT_EQ(lineEdit(f)->cursor().shape(),
                  f == Field::Error ? Qt::ArrowCursor : Qt::IBeamCursor)
            << f;
    }
    EXPECT_EQ(lineEdit(Field::DPG)->palette().color(QPalette::Base), QColor(Qt::white));
    for (const char* name : {"OptLan(0)", "OptS(1)", "Check1", "Check2", "Check3"}) {
        EXPECT_TRUE(control<QAbstractButton>(name)->isChecked()) << name;
    }
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_EQ(window_->windowTitle(), "Tamrel2.0" + QString(16, ' ') + "Email: " + ContactAddress);
    EXPECT_EQ(focused() + lineEdit(Field::MN)->selectedText(), "TextMN3.175");
    clickButton("ComGo");
    EXPECT_EQ(texts({Field::Error, Field::MidW}), "|72.8801");
    EXPECT_EQ(lineEdit(Field::MidXn)->cursorPosition(), 0);  // long results show their first digit
}

TEST_F(WindowTest, RandomNumberPicksTheHintEvenAtOneOrNaN) {
    // A float generator may round up to exactly 1; a broken one may give NaN.
    for (const auto& [random, hint] :
         std::vector<std::pair<float, int>>{{0.25F, 1}, {0.74F, 2}, {1.0F, 3}, {NAN, 0}}) {
        startWindow(random);
        EXPECT_EQ(lineEdit(Field::Error)->text(), startupHint(hint)) << random;
    }
    EXPECT_TRUE(startupHint(3).contains(ContactAddress));
}

TEST_F(WindowTest, GermanLocaleStartsWithCommasConvertsAndDrawsAtOnce) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    startWindow();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(texts({Field::MN, Field::DRG, Field::RefXn}), "3,175|185,9956|-0,1445");
    const QImage blank = control<PicGear>("PicGEAR")->image();
    clickButton("ComGo");
    EXPECT_EQ(texts({Field::Error, Field::MidM, Field::DKG}), "|200,788916325961|199,3656");
    tick();
    EXPECT_NE(control<PicGear>("PicGEAR")->image(), blank);
}

TEST_F(WindowTest, EveryControlHasItsOwnAccessibleName) {
    QSet<QString> names{""};
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        // Captions are read with the control they name.
        names << (w->inherits("QLabel") || w->objectName().isEmpty() ? "" : w->accessibleName());
    }
    // Frames, gear data, grid rows, check boxes, languages, then ComGo, TextError and PicGEAR.
    EXPECT_EQ(names.size(), 1 + 3 + 8 + 4 * 7 + 3 + 3 + 3);
    EXPECT_EQ(control("OptS(2)")->accessibleName(), "Reference quantity M");
}

TEST_F(WindowTest, FourDecimalNumbersNeedNoTooltipAndLongerTextsShowWholeInOne) {
    // The narrowest fields of each kind of number, texts one digit too long, and a disabled
    // diameter whose tooltip goes when its text fits again.
    const std::vector<std::tuple<Field, QString, bool>> cases{
        {Field::DKG, "200.28311", false},  {Field::DKG, "200.2831", true},
        {Field::RefXn, "-0.1445", true},   {Field::MidM, "200.78892", true},
        {Field::MinM, "200.78892", false}, {Field::Error, QString(120, 'x'), false}};
    for (const auto& [f, text, fits] : cases) {
        lineEdit(f)->setText(text);
        EXPECT_EQ(lineEdit(f)->toolTip(), fits ? "" : text) << f;
    }
}

TEST_F(WindowTest, SelectedReferenceRowBecomesRedEditableAndFocusedWithItsPlaceholdersZero) {
    const auto fields = {Field::RefM,  Field::UpperM,  Field::LowerM,  Field::MinM, Field::LowerW,
                         Field::RefSn, Field::UpperSn, Field::LowerSn, Field::RefXn};
    const QStringList before = QString("---|---|---|---|---| ---|---|--|---0").split('|');
    for (const Field& f : fields) {  // each field gets the text at its place in the list
        lineEdit(f)->setText(before[int(&f - fields.begin())]);
    }
    for (int k : {2, 3, 0, 1}) {
        clickButton(QString("OptS(%1)").arg(k));
        for (Quantity q : Quantities) {
            for (Field f : {reference(q), upperTolerance(q), lowerTolerance(q)}) {
                EXPECT_EQ(lineEdit(f)->isEnabled() + isRed(f), q == k ? 2 : 0) << f << k;
            }
        }
        EXPECT_EQ(focused() + lineEdit(reference(k))->selectedText(),
                  fieldName(reference(k)) + lineEdit(reference(k))->text());
    }
    // Only exact placeholders of a selected row became "0".
    EXPECT_EQ(texts(fields), "0|0|0|---|0| ---|0|--|---0");
    EXPECT_EQ(runs_, 0);
}

TEST_F(WindowTest, EveryLanguageSetsEveryCaptionToATextThatFits) {
    // Frames, labels and buttons in window order; all but the language names change.
    const char* const captions[] = {
        "基本参数输入|法向模数|法向压力角|齿数|螺旋角|跨齿枚数|量棒直径|绘制图形|转动的齿轮|"
        "可选参数输入|自动设定|齿顶圆径|齿根圆径|LANGUAGE|Chinese|English|Japanese|齿厚区分|"
        "基准值|+公差|-公差|中间值|最大值|最小值|法向变位系数|跨齿距|跨棒距|法向圆弧齿厚|==>",
        "Input|MN|PN|ZG|BOG|ZMG|DPG|Draw|Rotate|Optional|AUTO|DKG|DRG|LANGUAGE|Chinese|English|"
        "Japanese|Thickness|Reference|+|-|MID|MAX|MIN|Xn|SMG|DMG|SN|==>",
        "諸元入力|モジュール|圧力角|歯数|ネジレ角|マタギ枚数|ピン径|図形を描く|回る歯車|Optional|"
        "自動設定|外径|歯底径|LANGUAGE|Chinese|English|Japanese|歯厚区分|基準値|+公差|-公差|"
        "中間値|最大値|最小値|転位係数|マタギ歯厚|オーバピン径|円弧歯厚|==>"};
    // English, Japanese, then Chinese again.
    for (int language : {1, 2, 0}) {
        clickButton(QString("OptLan(%1)").arg(language));
        QStringList shown;
        for (QWidget* c : window_->findChildren<QWidget*>()) {
            const bool frame = c->inherits("QGroupBox");
            if (!c->inherits("QLineEdit") && c->property(frame ? "title" : "text").isValid()) {
                shown << c->property(frame ? "title" : "text").toString();
                // A push button's size hint is the style's minimum button, not its caption.
                const int needed = frame ? c->minimumSizeHint().width() : c->sizeHint().width();
                EXPECT_TRUE(needed <= c->width() || c->inherits("QPushButton"))
                    << c->objectName().toStdString() << language;
            }
        }
        EXPECT_EQ(shown.join('|'), captions[language]);
    }
}

TEST_F(WindowTest, Check1FreesTheDiametersAndCheck3StopsTheDrawingAndCheck2) {
    clickButton("Check1");
    EXPECT_TRUE(lineEdit(Field::DKG)->isEnabled() && lineEdit(Field::DRG)->isEnabled());
    clickButton("Check3");
    EXPECT_FALSE(control<QTimer>("TimerPicgear")->isActive() || control("Check2")->isEnabled());
    clickButton("Check3");
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive() && control("Check2")->isEnabled());
}

// The wheel zooms the picture about the pointer; a double click gives back the view of the run.
TEST_F(WindowTest, DoubleClickRestoresTheViewTheLastRunFitted) {
    clickButton("ComGo");
    auto* picture = control<PicGear>("PicGEAR");
    const auto corners = [picture] {
        const UserScale s = picture->userScale();
        return std::vector<float>{s.left, s.top, s.width, s.height};
    };
    const std::vector<float> fitted = corners();
    const QPointF at(100, 100);
    QWheelEvent notch(at, at, {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &notch);
    EXPECT_NE(corners(), fitted);
    QTest::mouseDClick(picture, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(corners(), fitted);
}

TEST_F(WindowTest, ArcinvFailureShowsTheModalMessage) {
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        EXPECT_EQ(box->property("text").toString(), "Error occurred in ARCINV function!");
        box->close();
    });
    ARCINV(NAN);  // returns when the message is closed; a missing message fails the next test
}

TEST_F(WindowTest, TabWalksTheEnabledControlsSelectingWholeFieldsAndArrowsGoRoundAGroup) {
    // Disabled rows, TextDKG/TextDRG and the unselected option buttons are skipped; a field
    // entered without all of its text selected would show a "?".
    QStringList visited;
    do {
        press(Qt::Key_Tab);
        const auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        visited << focused() + (edit && edit->selectedText() != edit->text() ? "?" : "");
    } while (focused() != "TextMN" && visited.size() < 40);
    EXPECT_EQ(visited.join(' '),
              "TextPN TextZG TextBOG TextZMG TextDPG TextS(1) TextS1(1) TextS2(1) ComGo OptS(1) "
              "TextSXn TextSW TextSM TextSSn TextSXn1 TextSW1 TextSM1 TextSSn1 TextSXn2 TextSW2 "
              "TextSM2 TextSSn2 TextError OptLan(0) PicGEAR Check1 Check3 Check2 TextMN");
    // Up from Chinese goes round to Japanese; Down from W selects M, whose row takes the focus.
    for (const auto& [from, key, to] : {std::tuple{"OptLan(0)", Qt::Key_Up, "OptLan(2)"},
                                        std::tuple{"OptS(1)", Qt::Key_Down, "TextS(2)"}}) {
        control(from)->setFocus();
        press(key);
        EXPECT_EQ(focused(), to);
    }
    EXPECT_TRUE(control<QAbstractButton>("OptLan(2)")->isChecked());
}

TEST_F(WindowTest, EnterRunsTheConversionOnceFromAnyControlButNotDuringARun) {
    for (const char* name : {"TextMN", "TextS2(1)", "TextSW", "TextError", "Check3", "PicGEAR"}) {
        control(name)->setFocus();
        press(Qt::Key_Return);
    }
    press(Qt::Key_Enter);
    duringRun_ = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    press(Qt::Key_Return);
    EXPECT_EQ(runs_, 8);
    // A run that throws leaves its message.
    duringRun_ = [] { throw std::runtime_error("out of memory"); };
    press(Qt::Key_Return);
    EXPECT_EQ(texts({Field::Error}), "ERROR:Calculation failed!");
}

TEST_F(WindowTest, EveryClickInAReferenceSelectsItButKeysAndTheWindowsFocusLeaveTheCaret) {
    QLineEdit* w = lineEdit(Field::RefW);
    for (int click = 0; click < 2; ++click) {  // the second time with a bare caret in it
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20, 10));
        settle();
        EXPECT_EQ(w->selectedText() + QString::number(w->cursorPosition()), "72.88010");
        w->setCursorPosition(3);
    }
    press(Qt::Key_Right);
    QFocusEvent activation(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w, &activation);
    settle();
    EXPECT_EQ(w->cursorPosition() + w->hasSelectedText(), 4);
    // A gear-data field entered by the program has its whole text selected, the caret at the end.
    QLineEdit* pn = lineEdit(Field::PN);
    pn->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(pn->selectedText() + QString::number(pn->cursorPosition()), "202");
}

// After a successful run TextZMG's tooltip gives the span, TextDPG's the ball and each Sn result's
// the chordal values of its own band value, in the interface language; a failed run clears them.
TEST_F(WindowTest, InspectionTipsFollowTheRunAndTheLanguageAndGoWithAFailedRun) {
    window_->setText(upperTolerance(W), "0.05");
    window_->setText(lowerTolerance(W), "-0.05");
    clickButton("ComGo");
    const auto tip = [this](Field f) { return lineEdit(f)->toolTip(); };
    const auto input = inspection::inspectionInput(*window_, NumberLocale{});
    ASSERT_TRUE(input.has_value());
    const inspection::ChordalInspection chordal = inspection::inspect(*input).chordal.value();
    const std::pair<Field, inspection::BandValue> columns[] = {
        {middle(Sn), inspection::BandValue::Mid},
        {maximum(Sn), inspection::BandValue::Max},
        {minimum(Sn), inspection::BandValue::Min}};
    for (const auto& [field, value] : columns) {
        EXPECT_TRUE(tip(field).contains(QString::number(chordal.thickness[value], 'f', 4)))
            << tip(field).toStdString();
    }
    // Seven teeth spanned put the anvils' contact nearest the middle of the flank of 59 teeth; the
    // ideal ball is the one an independent search of the helicoid confirms.
    const char* const spans[] = {"推荐跨齿数：7", "Recommended span: 7 teeth", "推奨またぎ歯数：7"};
    const char* const chords[] = {"弦齿厚", "Chordal thickness", "弦歯厚"};
    for (int language : {1, 2, 0}) {
        clickButton(QString("OptLan(%1)").arg(language));
        EXPECT_TRUE(tip(Field::ZMG).startsWith(QString::fromUtf8(spans[language])));
        EXPECT_TRUE(tip(Field::DPG).contains(QStringLiteral("5.3122"))) << language;
        EXPECT_TRUE(tip(maximum(Sn)).contains(QString::fromUtf8(chords[language]))) << language;
    }
    window_->setText(Field::ZG, "x");
    clickButton("ComGo");
    for (Field f : {Field::ZMG, Field::DPG, middle(Sn), maximum(Sn), minimum(Sn)}) {
        EXPECT_EQ(tip(f), "") << f;
    }
}

}  // namespace tamrel::test
