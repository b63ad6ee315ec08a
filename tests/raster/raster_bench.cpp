// Needle and sprite drawing at the display's sizes. Built with the tests, not run by them.
#include "host/raster.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr Rgba kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255}, kScreen{8, 8, 8, 255};

// A w x h needle of pure black with a white line down its middle column and a white head.
Image needle_bitmap(int w, int h) {
    Image img(w, h, kBlack);
    for (int y = 0; y < h; ++y) img.at(w / 2, y) = kWhite;
    for (int y = 0; y < std::min(h, w); ++y)
        for (int x = w / 2 - y / 2; x <= w / 2 + y / 2; ++x)
            if (x >= 0 && x < w) img.at(x, y) = kWhite;
    return img;
}

// A rose-like ring of radius r on pure black.
Image ring_bitmap(int size, double r) {
    Image img(size, size, kBlack);
    const double c = size / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (std::fabs(std::hypot(x + 0.5 - c, y + 0.5 - c) - r) < 1.0) img.at(x, y) = kWhite;
    return img;
}

Image disc_window() {
    Image img(123, 123, kBlack);
    for (int y = 0; y < 123; ++y)
        for (int x = 0; x < 123; ++x)
            if (std::hypot(x + 0.5 - 61.5, y + 0.5 - 61.5) <= 61.0) img.at(x, y) = {1, 1, 1, 255};
    return img;
}

Frame display_frame() {
    Frame f;
    f.image = Image(189, 181, kScreen);
    return f;
}

// Argument: the angle in degrees (0 takes the exact copy path).
void BM_HeadingLabel(benchmark::State& state) {
    const Image label = needle_bitmap(15, 18);
    Frame frame = display_frame();
    for (auto _ : state) {
        draw_needle(frame, label, 8, 148, 94, 175, double(state.range(0)), true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HeadingLabel)->Arg(0)->Arg(21);

void BM_CoursePointer(benchmark::State& state) {
    const Image pointer = needle_bitmap(26, 125);
    Frame frame = display_frame();
    for (auto _ : state) {
        draw_needle(frame, pointer, 12, 62, 92, 99, double(state.range(0)), true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CoursePointer)->Arg(0)->Arg(90)->Arg(33);

void BM_CompassRose(benchmark::State& state) {
    const Image rose = ring_bitmap(161, 63);
    Frame frame = display_frame();
    for (auto _ : state) {
        draw_needle(frame, rose, 80, 80, 92, 99, double(state.range(0)), true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CompassRose)->Arg(0)->Arg(33);

void BM_DeviationSprite(benchmark::State& state) {
    Image texture(256, 256, kBlack);
    for (int y = 110; y <= 146; ++y)
        for (int x = 118; x <= 137; ++x) texture.at(x, y) = {0, 255, 255, 255};
    const Image window = disc_window();
    Frame frame = display_frame();
    const SpriteGeometry g{31, 38, 94, 99, 128, 128, 1.0f, 1.0f, -16.25, 0.0,
                           -double(state.range(0))};
    for (auto _ : state) {
        draw_sprite(frame, texture, &window, g, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DeviationSprite)->Arg(0)->Arg(33);

}  // namespace

BENCHMARK_MAIN();
