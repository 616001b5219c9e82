// The window as it starts and as it looks: start state, hints, a comma locale, names, cursors,
// and texts that fit their fields or show whole in a tooltip.

#include "window_fixture.h"

#include "ui/captions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QToolTip>

#include <random>
#include <vector>

namespace tamrel::test {
namespace {

using StartupTest = WindowTest;

QColor enabledTextColor(const QLineEdit& field) {
    return field.palette().color(QPalette::Active, QPalette::Text);
}

TEST_F(StartupTest, StartStateAndAConversionOfTheStartValuesAtOnce) {
    // Red: the gear data and the W row; black: the other rows and the results.
    const std::vector<std::pair<Field, const char*>> startTexts{
        {Field::MN, "3.175"},     {Field::PN, "20"},         {Field::ZG, "59"},
        {Field::BOG, "15"},       {Field::ZMG, "8"},         {Field::DPG, "5.5"},
        {Field::DKG, "200.2831"}, {Field::DRG, "185.9956"},  {Field::RefXn, "-0.1445"},
        {Field::RefW, "72.8801"}, {Field::RefM, "200.7889"}, {Field::RefSn, "4.6533"},
        {Field::UpperW, "0"},     {Field::UpperM, "0"},      {Field::MinSn, "---"}};
    for (const auto& [f, text] : startTexts) {
        EXPECT_EQ(lineEdit(f)->text(), text) << f;
        const bool red =
            f < Field::RefXn || f >= Field::DKG || (f >= Field::RefW && f < Field::MidW);
        EXPECT_EQ(enabledTextColor(*lineEdit(f)), red ? QColor(Qt::red) : QColor(Qt::black)) << f;
    }
    // The hint is shown from its first character.
    EXPECT_EQ(lineEdit(Field::Error)->text(), "节径时法向模数请输入负值。");
    EXPECT_EQ(lineEdit(Field::Error)->cursorPosition(), 0);
    // Only the W row and the gear data are editable; results and TextError are read-only.
    for (Quantity q : Quantities) {
        for (Field f : {reference(q), upperTolerance(q), lowerTolerance(q)}) {
            EXPECT_EQ(lineEdit(f)->isEnabled(), q == W) << f;
        }
        EXPECT_TRUE(lineEdit(minimum(q))->isReadOnly());
    }
    EXPECT_TRUE(lineEdit(Field::Error)->isReadOnly() && !lineEdit(Field::MN)->isReadOnly());
    EXPECT_FALSE(lineEdit(Field::DKG)->isEnabled() || lineEdit(Field::DRG)->isEnabled());
    for (const char* name : {"OptLan(0)", "OptS(1)", "Check1", "Check2", "Check3"}) {
        EXPECT_TRUE(control<QAbstractButton>(name)->isChecked()) << name;
    }
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_EQ(window_->windowTitle(),
              "Tamrel2.0                Email: tamrel-support@users.noreply.example.org");
    EXPECT_EQ(focusedName(), "TextMN");
    EXPECT_EQ(lineEdit(Field::MN)->selectedText(), "3.175");

    // ==> at once converts W 72.8801 into every other measure.
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::Error)->text(), "");
    for (Quantity q : Quantities) {
        for (Field f : {middle(q), maximum(q), minimum(q)}) {
            EXPECT_NE(lineEdit(f)->text(), "---") << f;
        }
    }
    EXPECT_EQ(lineEdit(Field::MidW)->text(), "72.8801");
    EXPECT_EQ(lineEdit(Field::MidXn)->cursorPosition(), 0);  // long results show their first digit
}

TEST_F(StartupTest, RandomNumberPicksTheHint) {
    // A float generator may round up to exactly 1; a broken one may give NaN.
    for (const auto& [random, hint] :
         std::vector<std::pair<float, int>>{{0.2499F, 0}, {1.0F, 3}, {NAN, 0}}) {
        startWindow([r = random] { return r; });
        EXPECT_EQ(lineEdit(Field::Error)->text(), startupHint(hint)) << random;
    }
    std::mt19937 engine(20240521);
    QSet<QString> seen;
    for (int start = 0; start < 40; ++start) {
        startWindow([&engine] { return std::uniform_real_distribution<float>(0, 1)(engine); });
        seen.insert(lineEdit(Field::Error)->text());
    }
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen.contains(
        "如果您有任何意见和建议，请联系我 tamrel-support@users.noreply.example.org 。"));
}

TEST_F(StartupTest, GermanLocaleStartsWithCommasAndConvertsAtOnce) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    startWindow([] { return 0.0F; });
    QLocale::setDefault(QLocale::c());
    for (const auto& [f, text] :
         std::vector<std::pair<Field, const char*>>{{Field::MN, "3,175"},
                                                    {Field::PN, "20"},
                                                    {Field::DPG, "5,5"},
                                                    {Field::DKG, "200,2831"},
                                                    {Field::DRG, "185,9956"},
                                                    {Field::RefXn, "-0,1445"},
                                                    {Field::RefW, "72,8801"}}) {
        EXPECT_EQ(lineEdit(f)->text(), text) << f;
    }
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::Error)->text(), "");
    EXPECT_EQ(lineEdit(Field::MidM)->text(), "200,788916325961");
    EXPECT_EQ(lineEdit(Field::DKG)->text(), "199,3656");
    // The first drawing reads the diameters with commas: the tip circle in blue.
    tick();
    EXPECT_GT(pixelsBetween(99.2, 100.4, Blue), 400);

    lineEdit(Field::MN)->setText("3.175");
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::Error)->text(), "ERROR:MN was wrong!");
}

using AppearanceTest = WindowTest;

TEST_F(AppearanceTest, EveryControlHasItsOwnAccessibleName) {
    QSet<QString> names;
    int controls = 0;
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) != nullptr || w->objectName().isEmpty()) {
            continue;  // captions are read with the control they name
        }
        ++controls;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        names.insert(w->accessibleName());
    }
    // Frames, gear data, grid rows, check boxes, languages, then ComGo, TextError and PicGEAR.
    EXPECT_EQ(controls, 3 + 8 + 4 * 7 + 3 + 3 + 3);
    EXPECT_EQ(names.size(), controls);
    for (const auto& [name, accessible] :
         std::vector<std::pair<const char*, const char*>>{{"TextMN", "Normal module MN"},
                                                          {"TextSW2", "W result MIN"},
                                                          {"OptS(2)", "Reference quantity M"},
                                                          {"ComGo", "Compute"},
                                                          {"PicGEAR", "Gear drawing"}}) {
        EXPECT_EQ(control(name)->accessibleName(), accessible) << name;
    }
}

TEST_F(AppearanceTest, ResultFieldsShowTheTextCursorAndTheMessageLineTheArrow) {
    for (Quantity q : Quantities) {
        for (Field f : {middle(q), maximum(q), minimum(q)}) {
            EXPECT_EQ(lineEdit(f)->cursor().shape(), Qt::IBeamCursor) << f;
        }
    }
    EXPECT_EQ(lineEdit(Field::MN)->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(lineEdit(Field::Error)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(picture()->cursor().shape(), Qt::CrossCursor);
}

// The width Qt's line edit has for text: inside the frame and the text margins, less two pixels
// on either side.
int textRoom(const QLineEdit& field) {
    const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QMargins margins = field.textMargins();
    return field.contentsRect().width() - 2 * frame - margins.left() - margins.right() - 4;
}

TEST_F(AppearanceTest, FourDecimalNumbersFitTheirFieldsAndLongerTextsShowInATooltip) {
    struct Case {
        Field field;
        const char* text;
        bool fits;
    };
    // The narrowest fields that hold each kind of number, and texts one digit too long.
    for (const Case& c :
         std::vector<Case>{{Field::DKG, "200.2831", true},
                           {Field::DRG, "185.9956", true},
                           {Field::RefW, "72.8801", true},
                           {Field::RefM, "200.7889", true},
                           {Field::RefXn, "-0.1445", true},
                           {Field::MaxM, "999.9999", true},
                           {Field::MidM, "200.78892", true},
                           {Field::MN, "3.175", true},
                           {Field::DKG, "200.28311", false},
                           {Field::MinM, "200.78892", false},
                           {Field::UpperW, "0.0230221", false},
                           {Field::Error, QByteArray(120, 'x').constData(), false}}) {
        QLineEdit* field = lineEdit(c.field);
        field->setText(c.text);
        const int width = field->fontMetrics().horizontalAdvance(c.text);
        EXPECT_EQ(width < textRoom(*field), c.fits) << c.field << " " << c.text << ": " << width;
        EXPECT_EQ(field->toolTip(), c.fits ? "" : c.text) << c.field << " " << c.text;
    }
    // A tooltip follows the text, and a disabled field shows it too.
    QLineEdit* tip = lineEdit(Field::DKG);
    ASSERT_FALSE(tip->isEnabled());
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), tip->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tip, &help);
    EXPECT_EQ(QToolTip::text(), "200.28311");
    tip->setText("1");
    EXPECT_EQ(tip->toolTip(), "");
}

TEST_F(AppearanceTest, CaptionsFitTheirControlsInEveryLanguage) {
    for (int language = 0; language < LanguageCount; ++language) {
        clickButton(QString("OptLan(%1)").arg(language));
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            // The push button's size hint is the style's minimum button, not its caption.
            const bool captioned = qobject_cast<QLabel*>(w) || qobject_cast<QRadioButton*>(w) ||
                                   qobject_cast<QCheckBox*>(w);
            if (captioned) {
                EXPECT_LE(w->sizeHint().width(), w->width())
                    << w->objectName().toStdString() << " in language " << language;
            } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
                EXPECT_LE(frame->minimumSizeHint().width(), frame->width())
                    << frame->objectName().toStdString() << " in language " << language;
            }
        }
    }
}

}  // namespace
}  // namespace tamrel::test
