// Clocks the Verilator model of the ripple counter N times (argument 1), checks the count and
// prints the input cycles per second.
#include "Vripple_counter.h"
#include "verilated.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 10000000L;
    VerilatedContext context;
    Vripple_counter top{&context};
    top.clk = 0;
    top.eval();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < n; ++i) {
        top.clk = 1;
        top.eval();
        top.clk = 0;
        top.eval();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (top.q != static_cast<unsigned long>(n) % 65536UL) {
        std::fprintf(stderr, "wrong count %u after %ld cycles\n", static_cast<unsigned>(top.q), n);
        return 1;
    }
    std::printf("%.0f\n", static_cast<double>(n) / seconds);
    top.final();
    return 0;
}
