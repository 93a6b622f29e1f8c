// BitBlt over the game's whole 600 x 570 area: an opaque copy and the masked
// pair (AND with the mask, then OR with the picture), each against memcpy of
// the same pixels in the same run, the floor any copy can reach.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/core/bitmaps.h"
#include "platform/core/core.h"
#include "platform/host/headless/headless_host.h"

namespace {

constexpr int kWidth = 600, kHeight = 570;

// A picture with some structure, so no pass can shortcut on uniform pixels.
mub::Image pattern(uint32_t seed) {
    mub::Image img(kWidth, kHeight);
    uint32_t s = seed;
    for (uint32_t &p : img.pixels) {
        s = s * 1664525u + 1013904223u;
        p = (s >> 8) & 0xFFFFFF;
    }
    return img;
}

// Memory DCs with bitmaps selected: the destination, the picture and its mask.
struct Surfaces {
    mub::headless::HeadlessHost host;
    HDC dst = nullptr, picture = nullptr, mask = nullptr;
    HBITMAP dst_bmp = nullptr, picture_bmp = nullptr, mask_bmp = nullptr;

    Surfaces() {
        mub::core::reset();
        mub::set_host(&host);
        dst_bmp = mub::core::make_bitmap(pattern(1));
        picture_bmp = mub::core::make_bitmap(pattern(2));
        mub::Image m = pattern(3);
        for (uint32_t &p : m.pixels) p = (p & 1) ? 0xFFFFFF : 0;  // a mask is black or white
        mask_bmp = mub::core::make_bitmap(m);
        dst = CreateCompatibleDC(nullptr);
        picture = CreateCompatibleDC(nullptr);
        mask = CreateCompatibleDC(nullptr);
        SelectObject(dst, dst_bmp);
        SelectObject(picture, picture_bmp);
        SelectObject(mask, mask_bmp);
    }
    ~Surfaces() {
        DeleteDC(dst), DeleteDC(picture), DeleteDC(mask);
        DeleteObject(dst_bmp), DeleteObject(picture_bmp), DeleteObject(mask_bmp);
        mub::set_host(nullptr);
        mub::core::reset();
    }
};

void set_bytes(benchmark::State &state) {
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * int64_t(sizeof(uint32_t)));
}

void BM_Memcpy(benchmark::State &state) {
    std::vector<uint32_t> from = pattern(2).pixels, to = pattern(1).pixels;
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    set_bytes(state);
}
BENCHMARK(BM_Memcpy);

void BM_BitBltCopy(benchmark::State &state) {
    Surfaces s;
    for (auto _ : state) {
        BitBlt(s.dst, 0, 0, kWidth, kHeight, s.picture, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    set_bytes(state);
}
BENCHMARK(BM_BitBltCopy);

void BM_BitBltMaskedPair(benchmark::State &state) {
    Surfaces s;
    for (auto _ : state) {
        BitBlt(s.dst, 0, 0, kWidth, kHeight, s.mask, 0, 0, SRCAND);
        BitBlt(s.dst, 0, 0, kWidth, kHeight, s.picture, 0, 0, SRCPAINT);
        benchmark::ClobberMemory();
    }
    set_bytes(state);
}
BENCHMARK(BM_BitBltMaskedPair);

}  // namespace

BENCHMARK_MAIN();
