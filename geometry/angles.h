#pragma once

#include <functional>

namespace tamrel {

// The program's pi: the 15-digit literal, 7 ulp below the double nearest to pi. Every formula
// uses it, except the quarter turn inside ARCCOS.
inline constexpr double PI = 3.14159265358979;

// Degrees to radians, (d / 180) * PI. Throws CalculationError on a non-finite result.
double RAD(double degrees);

// The involute function tan(a) - a. Throws CalculationError on a non-finite result.
double INV(double angle);

// Inverse involute by exactly 100 bisection steps between -PI/2 and PI/2, starting at 0.
// Never throws: a failure is reported through the notifier and the current estimate returned.
double ARCINV(double involute);

// Arc cosine as atan(-x / sqrt(1 - x*x)) + 2*atan(1); ARCCOS(1) is exactly 0.
// Throws CalculationError for x = -1 (division by zero) and |x| > 1.
double ARCCOS(double x);

// Called when ARCINV meets a floating-point failure. The window installs a message box; without
// a notifier the failure is silent. Pass an empty function to remove it.
using ArcinvFailureNotifier = std::function<void()>;
void setArcinvFailureNotifier(ArcinvFailureNotifier notifier);

}  // namespace tamrel
