// The window as a process of its own, for the start-up and session figures of scripts/bench.sh.
// It drives the window only through its controls, as a user would.
//
//   window_probe startup
//       Shows the window and, once it has been painted, prints "shown <microseconds since the
//       epoch>" and exits: the caller knows when it started the process.
//   window_probe session <ticks> <teeth> [<interval ms>]
//       Shows the window, converts a gear of <teeth> teeth with the Xn reference and lets the
//       drawing timer tick <ticks> times, at the window's own interval or at the one given.
//       Meanwhile another thread posts an event every 3 ms, standing in for input. Prints the peak
//       resident memory, the mean time from one tick to the next, the longest wait of a posted
//       event, and the most ticks one waited for (the tick in progress when it came and every one
//       begun before it was handled), with the number of events that waited for more than one.
#include "ui/form_input1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long long epochMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The "VmHWM:" line of /proc/self/status, in kB.
long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

// Calls onFirst once, after the watched object's first event of the given type is handled.
class FirstEvent : public QObject {
public:
    FirstEvent(QObject& watched, QEvent::Type type, std::function<void()> onFirst)
        : type_(type), onFirst_(std::move(onFirst)) {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_ && onFirst_) {
            QTimer::singleShot(0, this, std::move(onFirst_));
            onFirst_ = nullptr;
        }
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> onFirst_;
};

int startup(QApplication& app) {
    tamrel::FormInput1 window;
    FirstEvent painted(window, QEvent::Paint, [&app] {
        std::printf("shown %lld\n", epochMicroseconds());
        std::fflush(stdout);
        app.exit(0);
    });
    window.show();
    return QApplication::exec();
}

// An event posted from the input thread, stamped with when it was posted.
class Stamped : public QEvent {
public:
    static inline const QEvent::Type Kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    explicit Stamped(Clock::time_point at) : QEvent(Kind), postedAt(at) {}
    Clock::time_point postedAt;
};

// Times the timer's ticks and counts, for each stamped event, the ticks it waited for: the one in
// progress when it was posted, if any, and each one begun after that before it was handled.
class SessionWatch : public QObject {
public:
    explicit SessionWatch(QTimer& timer) {
        timer.installEventFilter(this);
        // Connected after the window's own handler, so it runs when the tick's drawing is done.
        connect(&timer, &QTimer::timeout, this,
                [this] { recent_[(ticks - 1) % Kept].end = now(); });
    }

    int ticks = 0;
    Clock::time_point firstTick;
    Clock::time_point lastTick;
    double longestWaitMs = 0;
    int mostTicksWaited = 0;
    int eventsHandled = 0;
    int eventsWaitingLonger = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            lastTick = now();
            if (ticks == 0) {
                firstTick = lastTick;
            }
            recent_[ticks % Kept] = {lastTick, Clock::time_point::max()};
            ++ticks;
        }
        return false;
    }
    bool event(QEvent* event) override {
        if (event->type() != Stamped::Kind) {
            return QObject::event(event);
        }
        const Clock::time_point posted = static_cast<Stamped*>(event)->postedAt;
        const std::chrono::duration<double, std::milli> waited = now() - posted;
        longestWaitMs = std::max(longestWaitMs, waited.count());
        int waitedFor = 0;
        for (int i = std::max(0, ticks - Kept); i < ticks; ++i) {
            const Tick& tick = recent_[i % Kept];
            waitedFor += (tick.start > posted || tick.end > posted) ? 1 : 0;
        }
        mostTicksWaited = std::max(mostTicksWaited, waitedFor);
        eventsWaitingLonger += waitedFor > 1 ? 1 : 0;
        ++eventsHandled;
        return true;
    }

private:
    static Clock::time_point now() { return Clock::now(); }
    struct Tick {
        Clock::time_point start;
        Clock::time_point end;
    };
    static constexpr int Kept = 16;
    Tick recent_[Kept]{};
};

int session(int tickCount, int teeth, int intervalMs) {
    tamrel::FormInput1 window;
    window.show();
    QApplication::processEvents();

    window.findChild<QRadioButton*>(QStringLiteral("OptS(0)"))->click();
    window.findChild<QLineEdit*>(QStringLiteral("TextZG"))->setText(QString::number(teeth));
    window.findChild<QPushButton*>(QStringLiteral("ComGo"))->click();
    const QString error = window.findChild<QLineEdit*>(QStringLiteral("TextError"))->text();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "window_probe: the compute run reported: %s\n", qPrintable(error));
        return 1;
    }

    auto* timer = window.findChild<QTimer*>(QStringLiteral("TimerPicgear"));
    SessionWatch watch(*timer);
    if (intervalMs > 0) {
        timer->setInterval(intervalMs);
    }

    std::atomic<bool> stop{false};
    std::thread input([&] {
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            QCoreApplication::postEvent(&watch, new Stamped(Clock::now()));
        }
    });
    while (watch.ticks < tickCount) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    stop = true;
    input.join();
    QCoreApplication::removePostedEvents(&watch);

    const std::chrono::duration<double, std::milli> span = watch.lastTick - watch.firstTick;
    std::printf("vmhwm_kb %ld\n", peakResidentKb());
    std::printf("tick_period_ms %.3f\n", span.count() / std::max(1, watch.ticks - 1));
    std::printf("longest_wait_ms %.3f\n", watch.longestWaitMs);
    std::printf("most_ticks_waited %d\n", watch.mostTicksWaited);
    std::printf("events_handled %d\n", watch.eventsHandled);
    std::printf("events_waiting_longer %d\n", watch.eventsWaitingLonger);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup") {
        return startup(app);
    }
    if (mode == "session" && (argc == 4 || argc == 5)) {
        return session(std::stoi(argv[2]), std::stoi(argv[3]), argc == 5 ? std::stoi(argv[4]) : 0);
    }
    std::fprintf(stderr, "usage: window_probe startup | window_probe session <ticks> <teeth>\n");
    return 2;
}
