// Times the splash's window region: the per-pixel reference (one GetPixel per
// pixel, one union per run) against RegionFromBitmap, in one run, on the
// splash bitmap itself. Prints one row per figure and exits non-zero only if
// the two regions differ.
//   bench_regions.exe [rounds]   (default 40)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "RegionReference.h"
#include "forms/frmSplash.h"
#include "resource.h"

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    HBITMAP splash = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!splash) {
        std::printf("splash bitmap not found\n");
        return 2;
    }
    std::vector<double> reference, ours;
    bool equal = true;
    // Alternating, so that any drift in the machine's load touches both alike.
    for (int i = 0; i < rounds; ++i) {
        int32_t a = 0, b = 0;
        double t0 = nowMs();
        HRGN r1 = formstest::RegionFromBitmapPerPixel(splash, a);
        double t1 = nowMs();
        HRGN r2 = forms::RegionFromBitmap(splash, b);
        double t2 = nowMs();
        reference.push_back(t1 - t0);
        ours.push_back(t2 - t1);
        equal = equal && r1 && r2 && EqualRgn(r1, r2) && a == b;
        DeleteObject(r1);
        DeleteObject(r2);
    }
    DeleteObject(splash);
    const double ref = median(reference), fast = median(ours);
    // As the other rows: ours, the baseline (here the per-pixel rule), ours / baseline.
    std::printf("%-44s %10.3f %10.3f %8.2f\n", "splash region build, median ms", fast, ref, ref > 0 ? fast / ref : 0.0);
    std::printf("%-44s %10s\n", "splash region equal to the per-pixel rule", equal ? "yes" : "NO");
    std::printf("(%d rounds each, alternating; the per-pixel rule took %.1f times as long)\n", rounds,
                fast > 0 ? ref / fast : 0.0);
    return equal ? 0 : 1;
}
