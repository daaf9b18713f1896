#include "board/TableroClass.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace
{

// Median wall time in microseconds of one 30 × 30 shuffle, over many seeds.
double medianMicroseconds(bool sliding, int runs)
{
    std::vector<double> times;
    times.reserve(runs);
    TableroClass board;
    for (int run = 0; run < runs; ++run) {
        board.setSeed(std::uint64_t(run) * 7919u + 1u);
        const auto start = std::chrono::steady_clock::now();
        board.Inicializar(30, 30, 30, 30, QStringLiteral("jpg"), true, sliding);
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

} // namespace

int main()
{
    const int runs = 2001;
    std::printf("30x30 swap shuffle:    median %.1f us over %d runs\n", medianMicroseconds(false, runs),
                runs);
    std::printf("30x30 sliding shuffle: median %.1f us over %d runs\n", medianMicroseconds(true, runs), runs);
    return 0;
}
