// A long random session in one window: drawing-timer ticks between drags, clicks, random texts and
// runs. It catches what a short test cannot: a crash or a dialog on a rare combination, results
// of the wrong kind, memory that grows with use.

#include "window_fixture.h"

#include <QRegularExpression>

#include <random>

#include <sys/resource.h>

namespace tamrel::test {

// Under AddressSanitizer freed memory waits in a quarantine, which would look like growth.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}

TEST_F(WindowTest, TwentyThousandTicksOfRandomUseKeepResultsSoundAndMemoryFlat) {
    std::mt19937 rng(20240611);
    auto pick = [&rng](int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng); };
    const QStringList odd = QString("|abc|1e400|-32768|1,5|---|-|.|nan|4.9e-324").split('|');
    const QRegularExpression number("^(---|-?[0-9]+\\.[0-9]*)$");
    auto* pic = control<PicGear>("PicGEAR");
    // The peak resident set size of this process in kB.
    const auto peakResidentKb = [] {
        rusage usage{};
        return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
    };
    long firstKb = -1;
    for (int ticks = 0; ticks < 20000;) {
        const int roll = pick(300);
        if (roll < 30) {  // a drag in user units with the left (pan) or right button (zoom)
            emit pic->mousePressed(roll < 15 ? 1 : 2, pick(200) - 100, pick(200) - 100);
            emit pic->mouseMoved(roll < 15 ? 1 : 2, pick(200) - 100, pick(200) - 100);
        } else if (roll < 40 && (roll < 37 || pick(2))) {  // drawing is more often on than off
            clickButton(QString("Check%1").arg(roll < 37 ? 1 + roll % 2 : 3));
        } else if (roll < 52) {  // a language (3 buttons) or a reference quantity (4)
            clickButton(QString(roll < 45 ? "OptLan(%1)" : "OptS(%1)").arg(pick(roll / 45 + 3)));
        } else if (roll < 84) {  // a number within 70 % (and 0.3) of the start, or an odd text
            const auto f = static_cast<Field>(pick(indexOf(Field::Error)));
            const double start = std::atof(startText(f, NumberLocale{}).c_str());
            const double value = start * (0.3 + pick(1401) / 1000.0) + (pick(601) - 300) / 1000.0;
            lineEdit(f)->setText(pick(3) ? QString::number(value, 'f', pick(6)) : odd[pick(10)]);
        } else if (roll < 100) {
            roll < 92 ? clickButton("ComGo") : press(Qt::Key_Return);
            for (Field f : allFields()) {  // every result a number or the placeholder
                if (lineEdit(f)->isReadOnly() && f != Field::Error) {
                    ASSERT_TRUE(lineEdit(f)->text().contains(number)) << fieldName(f);
                }
            }
        }
        if (control<QTimer>("TimerPicgear")->isActive()) {
            tick();
            firstKb = ++ticks == 1000 ? peakResidentKb() : firstKb;
        }
    }
    // The peak resident memory after the first thousand ticks against that after the last.
    ASSERT_GT(firstKb, 0);
    EXPECT_LT(peakResidentKb() - firstKb, 5 * 1024);
}

}  // namespace tamrel::test
