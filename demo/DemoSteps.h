// The steps of Quorvane's demo story, each played by one run of QuorvaneDemo.exe.
#pragma once

#include <string>
#include <vector>

// Runs the step named `name` with its arguments and returns its exit code: 0 when the step
// happened, 1 when it did not, 2 for an unknown step. A step writes lines that the demo script reads:
//   done: <what happened>            the step happened
//   fail: <what did not happen>      it did not; the exit code is 1
//   area: <W>x<H>+<X>+<Y>            the part of the screen its picture shows
//   shows: <W>x<H>+<X>+<Y> <file>    within that picture, where the bitmap <file> must be seen
//   fills: <W>x<H>+<X>+<Y> <file>    the same, with <file> scaled to cover that part and cut to its middle
int RunDemoStep(const std::string& name, const std::vector<std::string>& arguments);

// The steps' names with their arguments, one per line, for the usage text.
const char* DemoStepUsage();
