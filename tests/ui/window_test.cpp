// The window: its start state, hints and comma locale, accessible names, cursors and tooltips,
// and what its controls and keys do: reference selection and the drawing switches, languages and
// the inspection aids' tooltips, the picture's view, the ARCINV message, tab order, arrows and
// Enter. The picture on its own: user coordinates, pointer events and the raster rules of its
// lines.

#include "window_fixture.h"

#include "conversion/compute_run.h"
#include "conversion/number_format.h"
#include "geometry/angles.h"
#include "inspection/form_circle.h"
#include "ui/captions.h"

#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QWheelEvent>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace tamrel::test {

// Gear data red and editable; in the grid only W's inputs so, the results read-only; the
// diameters red but disabled; the message line read-only, the one field with the arrow. Long
// results show their first digit. The hint is the one the random number picks: a float generator
// may round up to exactly 1, a broken one may give NaN.
TEST_F(WindowTest, StartsWithTheDefaultGearAndTheHintItsRandomNumberPicks) {
    EXPECT_EQ(texts({Field::MN, Field::DPG, Field::DKG, Field::RefXn, Field::RefW, Field::LowerW,
                     Field::MinSn, Field::Error}),
              "3.175|5.5|200.2831|-0.1445|72.8801|0|---|" + startupHint(0).toStdString());
    EXPECT_EQ(states(), " 333333 000666 333666 000666 000666 11e");
    EXPECT_EQ(lineEdit(Field::DPG)->palette().color(QPalette::Base), QColor(Qt::white));
    for (const char* name : {"OptLan(0)", "OptS(1)", "Check1", "Check2", "Check3"})
        EXPECT_TRUE(control<QAbstractButton>(name)->isChecked()) << name;
    EXPECT_TRUE(control<QTimer>("TimerPicgear")->isActive());
    EXPECT_EQ(window_->windowTitle(), "Tamrel3.0" + QString(16, ' ') + "Email: " + ContactAddress);
    EXPECT_EQ(focused(), "TextMN");
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::MidXn)->cursorPosition(), 0);
    for (const auto& [random, hint] : {std::pair{0.25F, 1}, {0.74F, 2}, {NAN, 0}, {1.0F, 3}}) {
        startWindow(random);
        EXPECT_EQ(lineEdit(Field::Error)->text(), startupHint(hint)) << random;
    }
    EXPECT_TRUE(lineEdit(Field::Error)->text().contains(ContactAddress));  // the last hint's
}

// Every control has its own accessible name; captions are read with the control they name. A
// field whose text does not fit shows it whole in its tooltip: the narrowest fields of each kind
// of number take four decimals, and a disabled diameter's tooltip goes when its text fits again.
TEST_F(WindowTest, EveryControlHasItsOwnAccessibleNameAndLongerTextsATooltip) {
    QSet<QString> names{""};
    for (QWidget* w : window_->findChildren<QWidget*>())
        names << (w->inherits("QLabel") || w->objectName().isEmpty() ? "" : w->accessibleName());
    // Frames, gear data, grid rows, check boxes, languages, then ComGo, TextError and PicGEAR.
    EXPECT_EQ(names.size(), 1 + 3 + 8 + 4 * 7 + 3 + 3 + 3);
    EXPECT_EQ(control("OptS(2)")->accessibleName(), "Reference quantity M");
    const std::vector<std::tuple<Field, QString, bool>> cases{
        {Field::DKG, "200.28311", false},  {Field::DKG, "200.2831", true},
        {Field::RefXn, "-0.1445", true},   {Field::MidM, "200.78892", true},
        {Field::MinM, "200.78892", false}, {Field::Error, QString(120, 'x'), false}};
    for (const auto& [f, text, fits] : cases) {
        lineEdit(f)->setText(text);
        EXPECT_EQ(lineEdit(f)->toolTip(), fits ? "" : text) << fieldName(f);
    }
}

// A selected reference row becomes red, editable and focused, and only the exact placeholders in
// it become "0", with no run; Check1 frees the diameters; Check3 stops the drawing and Check2.
TEST_F(WindowTest, SelectedReferenceRowAndCheck1FreeTheirFieldsAndCheck3StopsTheDrawing) {
    const auto fields = {Field::RefM,  Field::UpperM,  Field::LowerM,  Field::MinM, Field::LowerW,
                         Field::RefSn, Field::UpperSn, Field::LowerSn, Field::RefXn};
    const QStringList before = QString("---|---|---|---|---| ---|---|--|---0").split('|');
    for (const Field& f : fields)  // each field gets the text at its place in the list
        lineEdit(f)->setText(before[int(&f - fields.begin())]);
    for (int k : {2, 3, 0, 1}) {
        EXPECT_EQ(clickButton(QString("OptS(%1)").arg(k)), fieldName(reference(k)));
        QString grid = " 000666 000666 000666 000666";  // the rows of Xn, W, M and Sn
        EXPECT_EQ(states().mid(7, 28), grid.replace(1 + 7 * k, 3, "333"));
    }
    EXPECT_EQ(texts(fields), "0|0|0|---|0| ---|0|--|---0");  // no run: one would rewrite them
    clickButton("Check1");
    EXPECT_EQ(states().right(3), "33e");
    for (const bool on : {false, true}) {  // the drawing and Check2 follow Check3
        clickButton("Check3");
        EXPECT_EQ(control<QTimer>("TimerPicgear")->isActive(), on);
        EXPECT_EQ(control("Check2")->isEnabled(), on);
    }
}

// A caption's script: 'A' ASCII, 'C' Chinese or Japanese (no Latin letter, nothing of another
// script), '0' none, '?' anything else.
char scriptOf(const QString& s) {
    static const QRegularExpression ascii("^[ -~]+$"), cjk("^[^A-Za-z\\x{80}-\\x{2fff}]+$");
    return s.isEmpty() ? '0' : s.contains(ascii) ? 'A' : s.contains(cjk) ? 'C' : '?';
}

// In every language every caption is there and fits its control ("!" where it does not); the
// translated ones are in Chinese or Japanese script, with no kana in Chinese, and in ASCII in
// English; the language frame, its options and ComGo are in ASCII in each. A language shown again
// gives the same captions. In English a label beside a field is the field's short name. The
// picture's tooltip tells of the double click in each language. The inspection aids' tooltips of
// the last successful run: TextZMG's span in each language, each Sn result's chordal values of its
// own band value and TextDPG's ball tooltip: the ideal ball, the one an independent search of the
// helicoid confirms, and the entered ball's contact and protrusion from least to most over the band
// with its verdict.
// Seven teeth spanned put the anvils' contact nearest the middle of the flank of 59 teeth. A failed
// run clears them.
TEST_F(WindowTest, EveryLanguageSetsEveryCaptionToATextThatFitsAndTheTooltipsOfTheLastRun) {
    window_->setText(upperTolerance(W), "0.05");
    window_->setText(lowerTolerance(W), "-0.05");
    clickButton("ComGo");
    const auto tip = [this](Field f, int n) { return lineEdit(f)->toolTip().section('\n', n, n); };
    // clang-format off
    const QString tips[][2] = {{"推荐跨齿数：7", "双击"}, {"Recommended span: 7 teeth", "double-click"},
                               {"推奨またぎ歯数：7", "ダブルクリック"}};
    // clang-format on
    std::map<QWidget*, QString> scripts;    // each control's captions' scripts in turn
    std::map<QWidget*, QStringList> shown;  // and its captions
    for (int language : {0, 1, 2, 0}) {
        clickButton(QString("OptLan(%1)").arg(language));
        EXPECT_EQ(tip(Field::ZMG, 0), tips[language][0]);
        EXPECT_TRUE(control("PicGEAR")->toolTip().contains(tips[language][1])) << language;
        for (QWidget* c : window_->findChildren<QWidget*>()) {
            const QVariant caption = c->property(c->inherits("QGroupBox") ? "title" : "text");
            if (!caption.isValid() || c->inherits("QLineEdit"))
                continue;
            shown[c] << caption.toString();
            // A push button's size hint is the style's minimum button, not its caption.
            const bool fits =
                c->minimumSizeHint().width() <= c->width() || c->inherits("QPushButton");
            scripts[c] += fits ? scriptOf(caption.toString()) : '!';
        }
    }
    const QWidget* frame1 = control("Frame1");  // the languages
    const QRegularExpression kana("[\\x{3040}-\\x{30ff}]");
    int labelled = 0;                    // fields with their caption beside them
    for (const auto& [c, in] : shown) {  // Chinese, English, Japanese, Chinese again
        SCOPED_TRACE(c->objectName().toStdString());
        const bool fixed = c == frame1 || c->parentWidget() == frame1 || c->inherits("QPushButton");
        // The optional frame keeps its English caption in Japanese.
        const QString want = fixed ? "AAAA" : c->objectName() == "Frame3" ? "CAAC" : "CACC";
        EXPECT_EQ(scripts[c], want);
        EXPECT_EQ(in[3], in[0]);
        EXPECT_FALSE(in[0].contains(kana));  // Japanese in Chinese
        const QPoint beside = c->geometry().topRight() + QPoint(1, 1);
        const auto* field = qobject_cast<QLineEdit*>(c->parentWidget()->childAt(beside));
        if (field && c->inherits("QLabel")) {
            EXPECT_EQ(field->accessibleName().section(' ', -1), in[1]);
            ++labelled;
        }
    }
    EXPECT_EQ(labelled, 8);  // the gear data and the two diameters
    EXPECT_EQ(tip(middle(Sn), 1) + '|' + tip(maximum(Sn), 1) + '|' + tip(minimum(Sn), 1) + '|' +
                  lineEdit(Field::DPG)->toolTip(),
              "弦齿厚：4.6530 mm，弦齿高：2.7423 mm|弦齿厚：4.7062 mm，弦齿高：2.7429 mm|"
              "弦齿厚：4.5998 mm，弦齿高：2.7417 mm|理想量球直径：5.3122 mm\n"
              "接触直径（D = 5.5）：193.3161 – 193.5766 mm\n突出量：0.6765 – 0.8157 mm\n可以测量");
    window_->setText(Field::ZG, "x");
    clickButton("ComGo");
    for (Field f : {Field::ZMG, Field::DPG, middle(Sn), maximum(Sn), minimum(Sn)})
        EXPECT_EQ(lineEdit(f)->toolTip(), "") << fieldName(f);
}

// A run in the German locale, with commas, draws at the next tick and fits the view; the wheel
// zooms the picture about the pointer, and a double click gives back the view of the run.
TEST_F(WindowTest, GermanLocaleStartsWithCommasARunDrawsAndDoubleClickRestoresItsView) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    startWindow();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(texts({Field::MN, Field::DRG, Field::RefXn}), "3,175|185,9956|-0,1445");
    auto* picture = control<PicGear>("PicGEAR");
    const QImage blank = picture->image();
    clickButton("ComGo");
    EXPECT_EQ(texts({Field::Error, Field::MidM, Field::DKG, Field::DRG}),
              "|200,788916325961|199,3656|185,0781");
    tick();
    EXPECT_NE(picture->image(), blank);
    const auto view = [picture] {
        const auto [left, top, width, height] = picture->userScale();
        return std::tuple(left, top, width, height);
    };
    const auto fitted = view();
    const QPointF at(100, 100);
    QWheelEvent notch(at, at, {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &notch);
    EXPECT_NE(view(), fitted);
    QTest::mouseDClick(picture, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(view(), fitted);
}

// TextZG's tooltip after a run gives where the involute of the band's middle starts, as the engine
// finds it, whether the rack undercuts it, and the rack, in each language: 12 teeth of the default
// gear at Xn 0 (no tolerances) are undercut. A band without spread gives TextZMG one contact
// diameter; eight teeth spanned reach past the tip.
TEST_F(WindowTest, TeethTooltipGivesTheFormCircleOfTheBandsMiddle) {
    clickButton("OptS(0)");
    window_->setText(Field::ZG, "12");
    window_->setText(reference(Xn), "0");
    clickButton("ComGo");
    const double form =
        inspection::formCircle(deriveGear(3.175, RAD(20), 12, RAD(15)), {}, 0).value().diameter;
    const QString diameter = QString::fromStdString(formatFixed(form, 4, NumberLocale{}));
    QStringList tips;
    for (int language : {0, 1, 2}) {
        clickButton(QString("OptLan(%1)").arg(language));
        tips << lineEdit(Field::ZG)->toolTip();
    }
    EXPECT_EQ(tips[1], "Form diameter (MID): " + diameter +
                           " mm\nThe flank is undercut\nBasic rack: ISO 53 A (dedendum 1.25 m, tip "
                           "radius 0.38 m)");
    EXPECT_EQ(tips[0].section('\n', 0, 1),
              "渐开线起始圆直径（中间值）：" + diameter + " mm\n齿根有根切");
    EXPECT_EQ(tips[2].section('\n', 2),
              "基準ラック：ISO 53 A（歯元のたけ 1.25 m、歯先丸み半径 0.38 m）");
    EXPECT_EQ(lineEdit(Field::ZMG)->toolTip(),
              "推奨またぎ歯数：2\n接触直径（k = 8）：78.0390 mm\n測定不可");
    window_->setText(Field::ZG, "-12");  // a reason in place of a verdict
    clickButton("ComGo");
    EXPECT_EQ(lineEdit(Field::ZMG)->toolTip(), "外歯車にのみ適用されます");
}

// ARCINV's failure shows a modal message while the window lives, and none once it is gone.
TEST_F(WindowTest, ArcinvFailureShowsTheModalMessage) {
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        EXPECT_EQ(box->property("text").toString(), "Error occurred in ARCINV function!");
        box->close();
    });
    ARCINV(NAN);  // returns when the message is closed; a missing message fails the next test
    window_.reset();
    EXPECT_EQ(ARCINV(NAN), 0);  // no window, no message
}

// A full Tab cycle from TextMN reaches every enabled control but labels and frames once, an option
// group at its selected button, and selects a whole field. The fields come in reading order: the
// gear data column by column, the selected reference row, the results column by column, then the
// message line; after it the selected language, the picture and the check boxes. Up from Chinese
// goes round to Japanese; Down from W selects M, whose row takes the focus. Enter runs the
// conversion once from any control, but not again during a run; a run that throws leaves its
// message.
TEST_F(WindowTest, TabWalksTheEnabledControlsArrowsGoRoundAGroupAndEnterRunsOnce) {
    const QRect go = control("ComGo")->geometry();
    // A field's place in reading order: above ComGo, beside it or below it, then column and row.
    const auto place = [&](const QString& name) {
        const QPoint at = control(name)->mapTo(window_.get(), QPoint());
        return std::tuple((at.y() >= go.y()) + (at.y() > go.bottom()), at.x(), at.y());
    };
    for (const char* option : {"OptS(0)", "OptS(1)", "OptS(2)", "OptS(3)"}) {
        SCOPED_TRACE(option);
        clickButton(option);
        QStringList expected, visited{"TextMN"};
        for (QWidget* w : window_->findChildren<QWidget*>())
            if (w->isEnabled() && !w->inherits("QLabel") && !w->inherits("QGroupBox") &&
                (!w->inherits("QRadioButton") || w->property("checked").toBool()))
                expected << w->objectName();
        control("TextMN")->setFocus();
        while (press(Qt::Key_Tab) != "TextMN" && visited.size() < 40)
            visited << focused();
        const QStringList fields = visited.filter(QRegularExpression("^Text[^?]*$"));
        for (int i = 1; i < fields.size(); ++i)
            EXPECT_LT(place(fields[i - 1]), place(fields[i])) << qPrintable(fields[i]);
        EXPECT_EQ(visited.mid(visited.indexOf("TextError") + 1).join(' '),
                  "OptLan(0) PicGEAR Check1 Check3 Check2");
        visited.sort();
        expected.sort();
        EXPECT_EQ(visited.join(' '), expected.join(' '));
    }
    EXPECT_EQ(press("OptLan(0)", Qt::Key_Up) + ' ' + press("OptS(1)", Qt::Key_Down),
              "OptLan(2) TextS(2)");
    EXPECT_TRUE(control<QAbstractButton>("OptLan(2)")->isChecked());
    int runs = 0;
    startWindow(0, [&runs](const ConversionInput& input) {
        if (++runs == 8)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (runs == 9)
            throw std::runtime_error("out of memory");
        return ConversionResult(input);
    });
    for (const char* name : {"TextMN", "TextS2(1)", "TextSW", "TextError", "Check3", "PicGEAR"})
        press(name, Qt::Key_Return);
    press(Qt::Key_Enter);
    press(Qt::Key_Return);  // the eighth run presses Return itself
    EXPECT_EQ(runs, 8);
    press(Qt::Key_Return);
    EXPECT_EQ(texts({Field::Error}), "ERROR:Calculation failed!");
    QApplication::focusWidget()->clearFocus();  // with no control focused, the window takes it
    QTest::keyPress(window_.get(), Qt::Key_Return);
    EXPECT_EQ(runs, 10);
}

using Pixels = std::set<std::pair<int, int>>;
// Runs of n pixels from (x, y) in steps of (dx, dy).
using Runs = std::vector<std::array<int, 5>>;

// The pixels of the picture in a colour.
Pixels pixelsOf(const PicGear& pic, QRgb colour) {
    Pixels found;
    for (int y = 0; y < pic.image().height(); ++y)
        for (int x = 0; x < pic.image().width(); ++x)
            if (pic.image().pixel(x, y) == colour)
                found.emplace(x, y);
    return found;
}

Pixels pixelsOf(const Runs& runs) {
    Pixels p;
    for (auto [x, y, n, dx, dy] : runs)
        for (int i = 0; i < n; ++i)
            p.emplace(x + i * dx, y + i * dy);
    return p;
}

// One unit a pixel on the 509 by 253 pixels inside the border, drawn in the window-text colour on
// Base; the image is what the widget shows. Then 100 by 50 units, y up, and pointer events report
// the buttons held and the user point under the pointer (a double click is also a press). Under a
// dark palette the picture is black on white.
TEST(PicGear, DrawsInUserCoordinatesReportsThePointerInThemAndStaysWhiteUnderADarkPalette) {
    QWidget parent;
    auto* pic = new PicGear(&parent);
    EXPECT_EQ(pic->background(), pic->palette().color(QPalette::Base));
    pic->plotPoint(10, 20);
    EXPECT_EQ(pixelsOf(*pic, pic->palette().color(QPalette::WindowText).rgb()), (Pixels{{10, 20}}));
    const QImage shown = pic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(2, 2, 509, 253), pic->image());
    pic->setCorners(-50, 25, 50, -25);
    pic->setPenColor(Blue);
    pic->lineTo(10, 20);  // from the last point, where the new corners put it: one pixel
    pic->plotPoint(25, -12.5f);
    pic->plotPoint(-25, 5);
    EXPECT_EQ(pixelsOf(*pic, qRgb(0, 0, 255)), (Pixels{{127, 101}, {305, 25}, {382, 190}}));
    pic->setUserScale({-254, 126, 509, -253});
    QSignalSpy pressed(pic, &PicGear::mousePressed), moved(pic, &PicGear::mouseMoved);
    QSignalSpy wheel(pic, &PicGear::wheelTurned), doubleClicked(pic, &PicGear::doubleClicked);
    const QPointF at(264 + 2, 116 + 2);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonDblClick}) {
        QMouseEvent event(type, at, at, Qt::LeftButton, Qt::AllButtons, Qt::NoModifier);
        QCoreApplication::sendEvent(pic, &event);
    }
    QWheelEvent turn(at, at, {}, {0, -240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pic, &turn);
    ASSERT_EQ(pressed.size() + moved.size() + wheel.size() + doubleClicked.size(), 5);
    EXPECT_EQ(pressed[0], (QVariantList{7, 10.0f, 10.0f}));
    EXPECT_EQ(wheel[0], (QVariantList{10.0f, 10.0f, -240}));
    parent.setPalette(QPalette(QColor(30, 30, 30)));  // black Base, white text
    pic = new PicGear(&parent);
    pic->plotPoint(10, 20);
    EXPECT_EQ(pixelsOf(*pic, qRgb(0, 0, 0)), (Pixels{{10, 20}}));
    EXPECT_EQ(pixelsOf(*pic, qRgb(255, 255, 255)).size(), 509u * 253 - 1);
}

// Lines from (x1, y1) to (x2, y2) and their pixels. A line starts where the last point was plotted
// and is drawn in blue. Pixel k spans [k - 0.5, k + 0.5); a line covers its major axis (x at 45
// degrees) from the lower end's pixel up to, not including, the higher end's, whichever way it
// runs; the minor coordinate, taken half a pixel ahead while it grows and at the pixel centre while
// it falls, is floored. Lines are clipped to the picture; invalid coordinates draw nothing.
constexpr float far = 1e30f, nan = NAN, inf = INFINITY;
// clang-format off
const std::tuple<float, float, float, float, Runs> lines[] = {
    {10, 10, 20, 10, {{10, 10, 10, 1, 0}}}, {10.6f, 10, 20.6f, 10, {{11, 10, 10, 1, 0}}},
    {10.6f, 20, 10.6f, 10, {{10, 10, 10, 0, 1}}}, {10, 20, 20, 10, {{10, 20, 10, 1, -1}}},
    {10, 10, 20, 13, {{10, 10, 3, 1, 0}, {13, 11, 4, 1, 0}, {17, 12, 3, 1, 0}}},
    {20, 13, 10, 10, {{10, 10, 3, 1, 0}, {13, 11, 4, 1, 0}, {17, 12, 3, 1, 0}}},
    {10, 13, 20, 10, {{10, 13, 1, 1, 0}, {11, 12, 3, 1, 0}, {14, 11, 3, 1, 0}, {17, 10, 3, 1, 0}}},
    {10, 10, 13, 20, {{10, 10, 3, 0, 1}, {11, 13, 4, 0, 1}, {12, 17, 3, 0, 1}}},
    {10.1f, 10, 10.3f, 10, {}}, {10.49f, 10.5f, 10.49f, 10.5f, {{10, 11, 1, 1, 0}}},
    {10.49f, 10, 10.5f, 10, {{10, 10, 1, 1, 0}}},
    {10, 10, 14, 14.5f, {{10, 10, 4, 1, 1}, {13, 14, 1, 1, 0}}},
    {5, 0.2f, 5, 0.2f, {{5, 0, 1, 1, 0}}}, {600, 10, 300, 10, {{300, 10, 209, 1, 0}}},
    {600, 10, 300, 310, {{358, 252, 151, 1, -1}}}, {300, 12, -50, 12, {{0, 12, 300, 1, 0}}},
    {20, 10, -20, 30, {{0, 20, 1, 1, 0}, {1, 19, 9, 2, -1}, {2, 19, 9, 2, -1}, {19, 10, 1, 1, 0}}},
    {9, 300, 9, 100, {{9, 100, 153, 0, 1}}}, {11, 100, 11, -50, {{11, 0, 100, 0, 1}}},
    {-far, 100, far, 100, {{0, 100, 509, 1, 0}}}, {100, far, 100, -far, {{100, 0, 253, 0, 1}}},
    {-far, -far, far, far, {{0, 0, 253, 1, 1}}}, {-5, -5, -1, 300, {}}, {600, 10, 700, 20, {}},
    {far, far, 2 * far, -far, {}}, {nan, 5, 20, 20, {}}, {20, 20, inf, 20, {}}};
// clang-format on

TEST(PicGearLines, FollowTheRasterRulesAndAreClippedToThePicture) {
    for (const auto& [x1, y1, x2, y2, runs] : lines) {
        PicGear pic;
        pic.plotPoint(x1, y1);
        pic.setPenColor(Blue);
        pic.lineTo(x2, y2);
        EXPECT_EQ(pixelsOf(pic, qRgb(0, 0, 255)), pixelsOf(runs))
            << x1 << " " << y1 << " " << x2 << " " << y2;
    }
}

// A shown picture puts a plotted point on the screen at its next paint. Made larger, it keeps what
// it showed at its top left, the rest blank, and draws from the current point lines whose minor
// axis spans more than 512 pixels. A scale the user set stays when the picture is resized.
TEST(PicGear, GrownKeepsItsPixelsAndDrawsLongLines) {
    PicGear pic;
    pic.show();  // a hidden widget hears of its new size only once shown
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pic));
    pic.plotPoint(5, 100);
    QTest::qWait(20);  // the point is on the screen at the next paint
    EXPECT_EQ(pic.screen()->grabWindow(pic.winId()).toImage().pixel(7, 102),
              pic.palette().color(QPalette::WindowText).rgb());
    pic.plotPoint(10, 20);
    pic.resize(1040, 540);
    pic.lineTo(1034, 532);
    Pixels expected{{5, 100}};
    for (int k = 0; k < 1024; ++k)  // the minor coordinate floored half a pixel ahead
        expected.emplace(10 + k, 20 + k / 2);
    EXPECT_EQ(pixelsOf(pic, pic.palette().color(QPalette::WindowText).rgb()), expected);
    EXPECT_EQ(pixelsOf(pic, pic.background().rgb()).size(), 1036u * 536 - expected.size());
    pic.setUserScale({0, 0, 100, 100});
    pic.resize(600, 300);
    EXPECT_EQ(pic.userScale().width, 100);
}

}  // namespace tamrel::test
