// Entry of QuorvaneDemo.exe: plays one step of the demo story (scripts/run-quorvane.sh) and exits.
#include <cstdio>
#include <string>
#include <vector>

#include "DemoSteps.h"

// QuorvaneDemo.exe <step> [arguments]
int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 1 ? 2 : 1), argv + argc);
    int status = argc > 1 ? RunDemoStep(argv[1], arguments) : 2;
    if (status == 2) {
        std::fprintf(stderr, "usage: QuorvaneDemo.exe <step> [arguments], the steps:\n%s", DemoStepUsage());
    }
    return status;
}
