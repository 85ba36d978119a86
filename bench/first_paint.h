#pragma once

// What the start-up children share: noticing the first paint of their window and reporting to the bench on
// standard output, one "key value" pair a line.

#include <QWidget>

#include <functional>

namespace bench {

// Calls `then` from the event loop once the first window that `watched` accepts has been painted and flushed.
void after_first_paint(std::function<bool(QWidget const*)> watched, std::function<void()> then);

// The process's resident memory in bytes, from /proc/self/status.
[[nodiscard]] long long resident_bytes();

void report(char const* key, long long value);
// The steady clock now, in nanoseconds: the bench reads the same clock when it starts the child.
void report_now(char const* key);

} // namespace bench
