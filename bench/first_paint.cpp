#include "bench/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace bench {
namespace {

class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(std::function<bool(QWidget const*)> watched, std::function<void()> then)
        : QObject(qApp), watched_(std::move(watched)), then_(std::move(then))
    {
    }

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType() && watched_(static_cast<QWidget*>(object))) {
            qApp->removeEventFilter(this);
            // The frame is flushed before the loop gets back to timers.
            QTimer::singleShot(0, qApp, then_);
        }
        return false;
    }

  private:
    std::function<bool(QWidget const*)> watched_;
    std::function<void()> then_;
};

} // namespace

void after_first_paint(std::function<bool(QWidget const*)> watched, std::function<void()> then)
{
    qApp->installEventFilter(new FirstPaintWatch(std::move(watched), std::move(then)));
}

long long resident_bytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stoll(line.substr(6)) * 1024;
    return 0;
}

void report(char const* key, long long value)
{
    std::printf("%s %lld\n", key, value);
    std::fflush(stdout);
}

void report_now(char const* key)
{
    auto const now = std::chrono::steady_clock::now().time_since_epoch();
    report(key, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

} // namespace bench
