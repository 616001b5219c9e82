// A long random session in one window: drawing-timer ticks interleaved with pans, zooms, check box
// and option clicks, random texts and compute runs. It catches what a short test cannot: a crash
// or a dialog on a rare combination, results of the wrong kind, memory that grows with use.

#include "window_fixture.h"

#include "ui/captions.h"

#include <QRegularExpression>

#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <random>

namespace tamrel::test {
namespace {

constexpr int TickCount = 20000;
// The resident memory after the first thousand ticks is compared with that after the last.
constexpr int MeasuredTicks = 1000;
constexpr long MaxGrowthKb = 5 * 1024;

// Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB, which would look
// like growth; without it the allocator reuses freed memory as it does in a normal build.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}

// Resident set size of this process in kB, or -1 where /proc is not available.
long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Texts a field must refuse or survive: empty, words, out of double or 16-bit range, denormal,
// with a comma, a sign alone, hundreds of digits.
const std::vector<std::string> OddTexts{
    "",      "abc",   "1e400",    "-1e400",  "-32768",
    "32768", "65536", "1e308",    "-1e308",  "1,5",
    "---",   " ",     "-",        ".",       "nan",
    "inf",   "0x1A",  "0",        "-0",      " 7 ",
    "1e5",   "1e-5",  "4.9e-324", "-1e-320", std::string(300, '9') + ".5"};

// The fields a user types numbers into; plausible texts lie around their start values.
std::vector<Field> typedFields() {
    std::vector<Field> fields;
    for (Field f : allFields()) {
        if (f != Field::Error && startText(f, ".") != Placeholder) {
            fields.push_back(f);
        }
    }
    return fields;
}
const std::vector<Field> TypedFields = typedFields();

class SoakTest : public WindowTest {
protected:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

    // Any field: an odd text, or a number within 70 % (and 0.3) of its start value.
    void typeRandomText() {
        const Field name = TypedFields[std::size_t(pick(int(TypedFields.size())))];
        const double start = std::stod(startText(name, "."));
        const double value = start + (pick(2001) - 1000) / 1000.0 * (std::fabs(start) * 0.7 + 0.3);
        window_->setText(name, pick(3) == 0 ? OddTexts[std::size_t(pick(int(OddTexts.size())))]
                                            : QString::number(value, 'f', pick(6)).toStdString());
    }

    // A drag on the picture: a press, small moves with now and then a jump far outside, a release.
    void drag(Qt::MouseButton button) {
        QPoint at(pick(picture()->width()), pick(picture()->height()));
        QTest::mousePress(picture(), button, {}, at);
        for (int move = pick(6); move >= 0; --move) {
            at = pick(8) == 0 ? QPoint(pick(3000) - 1500, pick(3000) - 1500)
                              : at + QPoint(pick(41) - 20, pick(41) - 20);
            QTest::mouseMove(picture(), at);
        }
        QTest::mouseRelease(picture(), button, {}, at);
        settle();
    }

    void restoreStartGear() {
        for (Field f : TypedFields) {
            window_->setText(f, startText(f, "."));
        }
        clickButton("OptS(1)");
        clickButton("ComGo");
    }

    // Expected after every run: each result the placeholder or a number, TextError empty or a
    // run's message.
    void checkFields() {
        static const QRegularExpression result("^(---|-?[0-9]+\\.[0-9]*)$");
        static const QRegularExpression message(
            "^(ERROR:(MN|PN|ZG|BOG|Xn|ZMG|SMG|DPG|DMG|SNG|S1|S2|SMG,S1,S2|DMG,S1,S2) was wrong!|"
            "ERROR:ZMG is not Integer!|ERROR:Calculation failed!|Check your DM or DP please!)?$");
        for (Quantity q : Quantities) {
            for (Field f : {middle(q), maximum(q), minimum(q)}) {
                ASSERT_TRUE(result.match(lineEdit(f)->text()).hasMatch())
                    << f << ": " << window_->text(f);
            }
        }
        const QString error = lineEdit(Field::Error)->text();
        ASSERT_TRUE(message.match(error).hasMatch()) << error.toStdString();
    }

    void randomAction() {
        const int action = pick(100);
        if (action < 30) {
            drag(action < 15 ? Qt::LeftButton : Qt::RightButton);
        } else if (action < 40) {
            // Drawing is switched off less often than on, so most steps tick.
            const int box = 1 + pick(3);
            if (box != 3 || pick(2) == 0 || !control<QAbstractButton>("Check3")->isChecked()) {
                clickButton(QString("Check%1").arg(box));
            }
        } else if (action < 45) {
            clickButton(QString("OptLan(%1)").arg(pick(LanguageCount)));
        } else if (action < 52) {
            clickButton(QString("OptS(%1)").arg(pick(QuantityCount)));
        } else if (action < 80) {
            typeRandomText();
        } else if (action < 96) {
            action < 88 ? clickButton("ComGo") : press(Qt::Key_Return);
            checkFields();
        } else {
            restoreStartGear();
        }
    }

    std::mt19937 rng_{20240611};
};

TEST_F(SoakTest, TwentyThousandTicksOfRandomUseKeepTheWindowSoundAndItsMemoryFlat) {
    // Action: random actions between ticks until TickCount ticks have run.
    long rssFirstKb = -1;
    int ticks = 0;
    for (int step = 0; ticks < TickCount; ++step) {
        ASSERT_LT(step, 20 * TickCount) << "the timer stopped ticking";
        if (pick(3) == 0) {
            ASSERT_NO_FATAL_FAILURE(randomAction());
        }
        if (control<QTimer>("TimerPicgear")->isActive()) {
            tick();
            ++ticks;
        }
        if (ticks == MeasuredTicks && rssFirstKb < 0) {
            rssFirstKb = residentKb();
        }
    }
    const long rssLastKb = residentKb();
    std::cout << "[ soak     ] " << ticks << " ticks, " << runs_ << " runs; VmRSS after the first "
              << "and the last thousand ticks: " << rssFirstKb << " and " << rssLastKb << " kB\n";
    // Expected: no dialog (the fixture), flat memory, and the window still converts and draws.
    ASSERT_GT(rssFirstKb, 0);
    EXPECT_LT(rssLastKb - rssFirstKb, MaxGrowthKb);
    if (!control<QAbstractButton>("Check3")->isChecked()) {
        clickButton("Check3");
    }
    restoreStartGear();
    tick();
    EXPECT_EQ(lineEdit(Field::Error)->text(), "");
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    EXPECT_FALSE(pictureIsBlank());
}

}  // namespace
}  // namespace tamrel::test
