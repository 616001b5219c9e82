// A long random session in one window: tens of thousands of drawing ticks interleaved with pans,
// zooms, check box and option clicks, typed texts of every kind and compute runs. It catches what
// a short test cannot: a crash or a dialog on a rare combination, a window left unusable, and
// memory that grows with every tick or run.

#include "window_fixture.h"

#include "conversion/compute_run.h"
#include "ui/captions.h"
#include "ui/pic_gear.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tamrel::test {
namespace {

constexpr int TickCount = 20000;
// The resident memory after the first thousand ticks is compared with that after the last.
constexpr int MeasuredTicks = 1000;
constexpr long MaxGrowthKb = 5 * 1024;
// Steps per random action, on average; every step ticks once while drawing is on.
constexpr int StepsPerAction = 3;
constexpr unsigned DefaultSeed = 20240611;

const char* const GearDataFields[] = {"TextMN",  "TextPN",  "TextZG",
                                      "TextBOG", "TextZMG", "TextDPG"};

// Resident set size of this process in kB, or -1 where /proc is not available.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

unsigned soakSeed() {
    const char* seed = std::getenv("TAMREL_SOAK_SEED");
    return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : DefaultSeed;
}

// Every text a compute run may leave in TextError.
std::set<QString> knownMessages() {
    std::set<QString> known{"",
                            "ERROR:MN was wrong!",
                            "ERROR:PN was wrong!",
                            "ERROR:ZG was wrong!",
                            "ERROR:BOG was wrong!",
                            "ERROR:Xn was wrong!",
                            "ERROR:ZMG was wrong!",
                            "ERROR:ZMG is not Integer!",
                            "ERROR:SMG was wrong!",
                            "ERROR:DPG was wrong!",
                            "ERROR:DMG was wrong!",
                            "ERROR:SNG was wrong!",
                            "ERROR:S1 was wrong!",
                            "ERROR:S2 was wrong!",
                            "ERROR:SMG,S1,S2 was wrong!",
                            "ERROR:DMG,S1,S2 was wrong!",
                            "Check your DM or DP please!",
                            CalculationFailedMessage};
    for (int hint = 0; hint < StartupHintCount; ++hint) {
        known.insert(startupHint(hint));
    }
    return known;
}

// What a user might type: plausible numbers of the field's kind, and the texts that must be
// refused: empty, words, numbers beyond double or 16-bit range, denormal and long numbers,
// commas, signs alone.
class TextSource {
public:
    explicit TextSource(std::mt19937& rng) : rng_(rng) {}

    std::string forField(const std::string& field) {
        if (chance(0.5)) {
            return plausible(field);
        }
        switch (pick(4)) {
        case 0:
            return oneOf(FixedTexts);
        case 1:
            return longNumber();
        case 2:
            return oneOf(TinyTexts);
        default:
            return withComma(plausible(field));
        }
    }

private:
    static inline const std::vector<std::string> FixedTexts{
        "",      "abc",   "1e400", "-1e400", "-32768", "32768", "-32769", "1e308", "-1e308",
        "1,5",   "1.2.3", "---",   " ",      "+",      "-",     ".",      "e5",    "nan",
        "inf",   "-inf",  "0x1A",  "0",      "-0",     "0.0",   " 7 ",    "1e",    "--1",
        "1 000", "٣",     "20°",   "1E3",    "2.5e-2", ".5",    "5.",     "65536", "-65535"};
    static inline const std::vector<std::string> TinyTexts{
        "1e-300",           "4.9e-324", "1e-400", "-1e-320", "0.000000000000000000000001",
        "2.2250738585e-308"};

    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(rng_);
    }
    const std::string& oneOf(const std::vector<std::string>& texts) {
        return texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size())))];
    }

    std::string number(double value, int decimals) {
        std::ostringstream out;
        out.setf(std::ios::fixed);
        out.precision(decimals);
        out << value;
        return out.str();
    }
    std::string decimal(double low, double high) { return number(uniform(low, high), pick(7)); }
    std::string whole(int low, int high) {
        return std::to_string(std::uniform_int_distribution<int>(low, high)(rng_));
    }

    std::string plausible(const std::string& field) {
        if (field == "TextMN") {
            return chance(0.8) ? decimal(0.2, 20) : decimal(-48, -1);  // module or pitch
        }
        if (field == "TextPN") {
            return chance(0.95) ? decimal(10, 35) : decimal(0, 90);
        }
        if (field == "TextZG") {
            return teeth();
        }
        if (field == "TextBOG") {
            return chance(0.95) ? decimal(-45, 45) : decimal(-90, 90);
        }
        if (field == "TextZMG") {
            return whole(1, 25);
        }
        if (field == "TextDPG") {
            return decimal(0.5, 20);
        }
        if (field == "TextDKG" || field == "TextDRG") {
            return decimal(5, 500);
        }
        if (field.rfind("TextS(", 0) == 0) {
            return referenceValue(field[6] - '0');
        }
        return decimal(-0.3, 0.3);  // a tolerance
    }

    std::string teeth() {
        const int sign = chance(0.8) ? 1 : -1;
        if (chance(0.02)) {
            return std::to_string(sign * std::uniform_int_distribution<int>(300, 2000)(rng_));
        }
        return std::to_string(sign * std::uniform_int_distribution<int>(1, 150)(rng_));
    }

    std::string referenceValue(int quantity) {
        switch (quantity) {
        case 0:
            return decimal(-1, 1);
        case 1:
            return decimal(5, 200);
        case 2:
            return decimal(10, 400);
        default:
            return decimal(0.5, 15);
        }
    }

    // Up to a few hundred digits, sometimes with a point or a sign.
    std::string longNumber() {
        std::string digits = whole(1, 9);
        const int length = std::uniform_int_distribution<int>(20, 320)(rng_);
        for (int i = 0; i < length; ++i) {
            digits += static_cast<char>('0' + pick(10));
        }
        if (chance(0.5)) {
            digits.insert(static_cast<std::size_t>(pick(length)) + 1, ".");
        }
        return chance(0.3) ? "-" + digits : digits;
    }

    std::string withComma(std::string text) {
        const std::size_t point = text.find('.');
        if (point != std::string::npos) {
            text[point] = ',';
        } else {
            text += ",5";
        }
        return text;
    }

    std::mt19937& rng_;
};

bool pictureIsBlank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0)) {
                return false;
            }
        }
    }
    return true;
}

class SoakTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        timer_ = control<QTimer>("TimerPicgear");
        picture_ = control<PicGear>("PicGEAR");
        // Counts every timeout, those driven here and those the event loop delivers.
        QObject::connect(timer_, &QTimer::timeout, window_.get(), [this] { ++ticks_; });
    }

    // One tick of the drawing timer, sent as the event loop sends it: a timer event with the
    // timer's id, to which the timer answers with its timeout. Nothing while it is stopped.
    void tick() {
        if (timer_->isActive()) {
            const int before = ticks_;
            QTimerEvent event(timer_->timerId());
            QCoreApplication::sendEvent(timer_, &event);
            drivenTicks_ += ticks_ - before;
        }
        settle();
    }

    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }
    QPoint pointIn(const QWidget& widget) { return {pick(widget.width()), pick(widget.height())}; }

    void note(std::string action) {
        journal_.push_back("step " + std::to_string(steps_) + ": " + std::move(action));
        if (journal_.size() > 20) {
            journal_.pop_front();
        }
    }
    std::string journal() const {
        std::string text;
        for (const std::string& entry : journal_) {
            text += "\n  " + entry;
        }
        return text;
    }

    void clickButton(QAbstractButton& button) {
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
        settle();
    }

    // A drag on the picture with one button: a press, a few moves (small steps, sometimes a jump
    // far beyond the picture), a release.
    void drag(Qt::MouseButton button) {
        QPoint at = pointIn(*picture_);
        note(std::string(button == Qt::LeftButton ? "pan" : "zoom") + " from " +
             std::to_string(at.x()) + "," + std::to_string(at.y()));
        QTest::mousePress(picture_, button, {}, at);
        const int moves = 1 + pick(6);
        for (int i = 0; i < moves; ++i) {
            if (chance(0.15)) {
                at = QPoint(pick(3000) - 1500, pick(3000) - 1500);  // a wild jump
            } else {
                at += QPoint(pick(41) - 20, pick(41) - 20);
            }
            QTest::mouseMove(picture_, at);
        }
        QTest::mouseRelease(picture_, button, {}, at);
        settle();
    }

    // QTest knows the key of an ASCII character only; other characters come as text alone.
    static void typeText(QLineEdit& edit, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(&edit, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }

    // Replaces the field's whole text by typing, as a user does after selecting all of it.
    void type(const std::string& name, const std::string& text) {
        QLineEdit* edit = lineEdit(name);
        if (!edit->isEnabled()) {
            return;
        }
        note("type \"" + text.substr(0, 40) + "\" into " + name);
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        settle();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.empty()) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            typeText(*edit, QString::fromStdString(text));
        }
        settle();
        if (edit->text() != QString::fromStdString(text)) {
            fail(name + " shows \"" + edit->text().toStdString() + "\" after typing");
        }
    }

    // A field of the input row; the other rows cannot be typed into.
    std::string selectedRowField() {
        int row = 0;
        while (row < QuantityCount - 1 && !window_->isReferenceSelected(row)) {
            ++row;
        }
        switch (pick(3)) {
        case 0:
            return field::reference(row);
        case 1:
            return field::upperTolerance(row);
        default:
            return field::lowerTolerance(row);
        }
    }

    void compute(bool byEnter) {
        if (byEnter) {
            note("Enter in " + focusedName().toStdString());
            press(Qt::Key_Return);
        } else {
            note("ComGo");
            clickCompute();
        }
        ++computeRuns_;
        ++messages_[lineEdit(field::Error)->text().toStdString()];
        checkAfterRun();
    }

    // The sound start values of the window, converted from the W row.
    void restoreSoundGear() {
        note("restore the start gear");
        const std::map<std::string, std::string> sound{
            {"TextMN", "3.175"},     {"TextPN", "20"},       {"TextZG", "59"},
            {"TextBOG", "15"},       {"TextZMG", "8"},       {"TextDPG", "5.5"},
            {"TextDKG", "200.2831"}, {"TextDRG", "185.9956"}};
        for (const auto& [name, text] : sound) {
            window_->setText(name, text);
        }
        clickButton(*control<QRadioButton>("OptS(1)"));
        window_->setText(field::reference(1), "72.8801");
        window_->setText(field::upperTolerance(1), "0");
        window_->setText(field::lowerTolerance(1), "0");
        compute(false);
    }

    void randomAction() {
        const int action = pick(100);
        if (action < 14) {
            drag(Qt::LeftButton);
        } else if (action < 28) {
            drag(Qt::RightButton);
        } else if (action < 40) {
            const char* box = action < 32 ? "Check1" : action < 36 ? "Check2" : "Check3";
            auto* check = control<QCheckBox>(box);
            // Drawing is switched off half as often as on, so most steps tick.
            if (action >= 36 && check->isChecked() && chance(0.5)) {
                return;
            }
            note(std::string("click ") + box);
            clickButton(*check);
        } else if (action < 44) {
            const QString button = QString("OptLan(%1)").arg(pick(LanguageCount));
            note("click " + button.toStdString());
            clickButton(*control<QRadioButton>(button));
        } else if (action < 50) {
            const QString button = QString("OptS(%1)").arg(pick(QuantityCount));
            note("click " + button.toStdString());
            clickButton(*control<QRadioButton>(button));
        } else if (action < 64) {
            const std::string name =
                GearDataFields[pick(static_cast<int>(std::size(GearDataFields)))];
            type(name, texts_.forField(name));
        } else if (action < 76) {
            const std::string name = selectedRowField();
            type(name, texts_.forField(name));
        } else if (action < 80) {
            const std::string name = chance(0.5) ? "TextDKG" : "TextDRG";
            type(name, texts_.forField(name));
        } else if (action < 97) {
            compute(action >= 88);
        } else {
            restoreSoundGear();
        }
    }

    // The first state of every kind, so that memory first used by a language's captions, a
    // reference row or a check box state is in place before the first thousand ticks end.
    void tourEveryControl() {
        for (int language : {English, Japanese, Chinese}) {
            clickButton(*control<QRadioButton>(QString("OptLan(%1)").arg(language)));
        }
        for (int quantity : {0, 2, 3, 1}) {
            clickButton(*control<QRadioButton>(QString("OptS(%1)").arg(quantity)));
            compute(false);
        }
        for (const char* box : {"Check1", "Check2", "Check3", "Check3", "Check2", "Check1"}) {
            clickButton(*control<QCheckBox>(box));
        }
        drag(Qt::LeftButton);
        drag(Qt::RightButton);
        type("TextMN", "abc");
        compute(true);
        restoreSoundGear();
    }

    void checkAfterRun() {
        const QString error = lineEdit(field::Error)->text();
        if (known_.count(error) == 0) {
            fail("TextError holds an unknown text: " + error.toStdString());
        }
        for (const auto& row : field::results) {
            for (const char* name : row) {
                checkResultText(name);
            }
        }
        for (int i = 0; i < QuantityCount; ++i) {
            if (!window_->isReferenceSelected(i)) {
                checkResultText(field::reference(i));
                checkResultText(field::upperTolerance(i));
                checkResultText(field::lowerTolerance(i));
            }
        }
    }

    void checkResultText(const std::string& name) {
        static const QRegularExpression number(QStringLiteral("^-?[0-9]+\\.[0-9]*$"));
        const QString text = lineEdit(name)->text();
        if (text != Placeholder && !number.match(text).hasMatch()) {
            fail(name + " holds neither the placeholder nor a number: " + text.toStdString());
        }
    }

    void fail(const std::string& what) {
        if (!failed_) {
            ADD_FAILURE() << what << " (seed " << seed_ << "), last actions:" << journal();
        }
        failed_ = true;
    }

    // Random actions between driven ticks until TickCount of them have run or a check failed.
    // Every hundredth tick tells whether the picture shows a gear.
    void soak() {
        int lastSample = -1;
        while (drivenTicks_ < TickCount && !failed_) {
            ASSERT_LT(++steps_, 20 * TickCount) << "the timer stopped ticking:" << journal();
            if (pick(StepsPerAction) == 0) {
                randomAction();
            }
            tick();
            if (drivenTicks_ % 100 == 0 && drivenTicks_ != lastSample) {
                lastSample = drivenTicks_;
                ++samples_;
                drawnSamples_ += pictureIsBlank(picture_->image()) ? 0 : 1;
            }
            if (rssFirstKb_ < 0 && drivenTicks_ >= MeasuredTicks) {
                rssFirstKb_ = residentKb();
            }
        }
    }

    void report(double seconds, long rssLastKb) {
        std::cout << "[ soak     ] seed " << seed_ << ": " << ticks_ << " ticks in " << steps_
                  << " steps, " << computeRuns_ << " compute runs in " << seconds
                  << " s; VmRSS after the first " << MeasuredTicks << " ticks " << rssFirstKb_
                  << " kB, after the last " << rssLastKb << " kB; a gear shown at " << drawnSamples_
                  << " of " << samples_ << " sampled ticks\n";
        for (const auto& [message, count] : messages_) {
            std::cout << "[ soak     ]   " << count << " x \"" << message << "\"\n";
        }
        RecordProperty("ticks", ticks_);
        RecordProperty("computeRuns", computeRuns_);
        RecordProperty("rssFirstThousandTicksKb", static_cast<int>(rssFirstKb_));
        RecordProperty("rssLastThousandTicksKb", static_cast<int>(rssLastKb));
    }

    unsigned seed_ = soakSeed();
    std::mt19937 rng_{seed_};
    TextSource texts_{rng_};
    const std::set<QString> known_ = knownMessages();
    QTimer* timer_ = nullptr;
    PicGear* picture_ = nullptr;
    int steps_ = 0;
    int ticks_ = 0;
    int drivenTicks_ = 0;
    long rssFirstKb_ = -1;
    int samples_ = 0;
    int drawnSamples_ = 0;
    int computeRuns_ = 0;
    bool failed_ = false;
    std::deque<std::string> journal_;
    std::map<std::string, int> messages_;
};

TEST_F(SoakTest, TwentyThousandTicksOfRandomUseKeepTheWindowSoundAndItsMemoryFlat) {
    // State: a started window. Action: a tour of every control, then random actions between
    // timer ticks until 20 000 ticks have run.
    const auto start = std::chrono::steady_clock::now();
    tourEveryControl();
    soak();
    if (HasFatalFailure()) {
        return;
    }
    const long rssLastKb = residentKb();
    report(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
           rssLastKb);

    // Expected: no failed check on the way, no dialog (the fixture), flat memory.
    ASSERT_FALSE(failed_);
    EXPECT_GE(ticks_, TickCount);
    ASSERT_GT(rssFirstKb_, 0);
    EXPECT_LT(rssLastKb - rssFirstKb_, MaxGrowthKb);

    // Expected: the result fields and the message line hold what a run may leave there.
    for (const auto& row : field::results) {
        for (const char* name : row) {
            checkResultText(name);
        }
    }
    EXPECT_EQ(known_.count(lineEdit(field::Error)->text()), 1U)
        << lineEdit(field::Error)->text().toStdString();

    // Expected: the same window still converts the start gear and draws it.
    if (!control<QCheckBox>("Check3")->isChecked()) {
        clickButton(*control<QCheckBox>("Check3"));
    }
    restoreSoundGear();
    tick();
    EXPECT_EQ(lineEdit(field::Error)->text(), "");
    EXPECT_EQ(lineEdit("TextSW")->text(), "72.8801");
    EXPECT_FALSE(pictureIsBlank(picture_->image())) << journal();
    EXPECT_FALSE(failed_);
}

}  // namespace
}  // namespace tamrel::test
