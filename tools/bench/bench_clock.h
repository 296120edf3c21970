// Clocks, medians and the frame-copy baseline every figure of the benchmark is compared with.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// CLOCK_MONOTONIC in nanoseconds: one clock for every process of the machine, so a child can
// report a moment that the parent compares with its own.
int64_t MonotonicNs();

// The median of the samples (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> samples);

// How many samples each figure takes: --quick makes every figure brief (CI runs it so).
// Batches are one frame long: on a shared machine most single frames run without being
// preempted, so the median is the frame's own cost.
struct Repetitions {
    int Samples = 400;      // timed batches per figure
    int TicksPerBatch = 1;  // frames in one timed batch
    int MemcpySamples = 2000;
};

// Microseconds per call of `work`, as the median over `samples` batches of `perBatch` calls.
// `prepare` runs untimed before each batch (state restores, message ages).
double MedianMicroseconds(int samples, int perBatch, const std::function<void()>& prepare,
                          const std::function<void()>& work);

// Microseconds to copy one 640 x 480 x 16-bit frame with memcpy between two warm buffers, one
// sample per copy. The benchmark takes a block of samples before each figure and compares every
// figure with the median of all of them, so that a change of the machine's load during the run
// weighs on the yardstick as on the figures.
std::vector<double> FrameMemcpySamples(int samples);
// Microseconds to copy one 1280 x 960 x 32-bit window's pixels with memcpy between two buffers:
// the yardstick of presenting, which writes that many pixels and has the window system copy them.
std::vector<double> WindowMemcpySamples(int samples);
