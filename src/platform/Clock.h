#pragma once

class QTimer;

// The one clock behind every timer interval and every Wait. It runs at real speed in the program;
// tests speed it up so that the 800 ms connection steps or the 700 ms match steps pass quickly,
// while the code keeps stating the real intervals.
namespace Clock {
void setSpeed(double factor); // 1 = real time, 20 = twenty times faster
double speed();

// The wall-clock milliseconds that stand for `ms` program milliseconds (at least 1 for ms > 0).
int scaled(int ms);

// Sets a timer's interval in program milliseconds; interval() gives that value back.
void setInterval(QTimer *timer, int ms);
int interval(const QTimer *timer);
} // namespace Clock

// Returns after `seconds` (on the clock) while every event keeps being processed: datagrams,
// timers and user input all run inside a Wait, and may re-enter the handler that waits.
void Wait(double seconds);
