// Clocks, medians and the frame-copy baseline.
#include "bench_clock.h"

#include <time.h>

#include <algorithm>
#include <cstring>

int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    const size_t mid = samples.size() / 2;
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(mid),
                     samples.end());
    const double upper = samples[mid];
    if (samples.size() % 2 == 1) return upper;
    const double lower =
        *std::max_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(mid));
    return (lower + upper) / 2;
}

namespace {

std::vector<double> SampleMicroseconds(int samples, int perBatch,
                                       const std::function<void()>& prepare,
                                       const std::function<void()>& work) {
    std::vector<double> perCall;
    perCall.reserve(static_cast<size_t>(samples));
    for (int s = 0; s < samples; ++s) {
        if (prepare) prepare();
        const int64_t start = MonotonicNs();
        for (int i = 0; i < perBatch; ++i) work();
        perCall.push_back(static_cast<double>(MonotonicNs() - start) / 1000.0 / perBatch);
    }
    return perCall;
}

}  // namespace

double MedianMicroseconds(int samples, int perBatch, const std::function<void()>& prepare,
                          const std::function<void()>& work) {
    return Median(SampleMicroseconds(samples, perBatch, prepare, work));
}

namespace {

std::vector<double> MemcpySamples(size_t bytes, int samples) {
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes, 0);
    uint8_t* dst = to.data();
    const uint8_t* src = from.data();
    auto copy = [dst, src, bytes] {
        std::memcpy(dst, src, bytes);
        // The copy's result is never read: keep the compiler from dropping it.
        asm volatile("" : : "r"(dst) : "memory");
    };
    for (int i = 0; i < 20; ++i) copy();  // both buffers warm, as a frame is
    return SampleMicroseconds(samples, 1, {}, copy);
}

}  // namespace

std::vector<double> FrameMemcpySamples(int samples) {
    return MemcpySamples(size_t{640} * 480 * 2, samples);
}

std::vector<double> WindowMemcpySamples(int samples) {
    return MemcpySamples(size_t{1280} * 960 * 4, samples);
}
