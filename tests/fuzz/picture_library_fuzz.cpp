// Fuzz target: a picture library file (".dxg") read, turned into an image list and every pattern
// of every picture drawn, copied and blended, also partly or wholly off the surface. A reader
// error must be a FileError; anything else (another exception, a sanitizer report) is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "media/byte_io.h"
#include "media/library_format.h"
#include "media/picture.h"
#include "media/surface.h"

namespace {

// Drawing is cheap but a library may cut a picture into millions of 1 x 1 patterns: beyond this
// many patterns per input only the first and last few of each picture are drawn.
constexpr int kMostDraws = 4096;

void DrawEverywhere(const Picture& picture, int pattern, Surface& surface) {
    const int pw = picture.PatternPixelWidth(), ph = picture.PatternPixelHeight();
    const int xs[] = {
        0, 17, -pw / 2, surface.Width - pw / 2, -pw, surface.Width, -2147483647 - 1, 2147483647};
    const int ys[] = {0, 23, -ph / 2, surface.Height - ph / 2, -ph, surface.Height, 2147483647};
    for (int x : xs)
        for (int y : ys) picture.DrawPattern(surface, x, y, pattern);
    picture.BlendPattern(surface, Rect{-5, -5, 60, 40}, pattern, 128);
    picture.BlendPattern(surface, Rect{600, 450, 700, 500}, pattern, 255);
    picture.BlendPattern(surface, Rect{10, 10, 11, 300}, pattern, 1);
}

void TouchCorners(const Picture& picture, int pattern) {
    const int pw = picture.PatternPixelWidth(), ph = picture.PatternPixelHeight();
    picture.PixelAt(pattern, 0, 0);
    picture.PixelAt(pattern, pw - 1, ph - 1);
    picture.IsKey(pattern, pw - 1, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes bytes(data, data + size);
    PictureLibrary library;
    try {
        library = ReadPictureLibrary(bytes, "fuzz.dxg");
    } catch (const FileError&) {
        return 0;
    }
    PictureList list;
    list.LoadLibrary(std::move(library));
    static Surface surface(640, 480);
    int draws = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const Picture& picture = list.PictureAt(i);
        list.FindPicture(picture.Name());
        const int count = picture.PatternCount();
        for (int k = -1; k <= count; ++k) {
            if (draws >= kMostDraws && k > 2 && k < count - 2) k = count - 2;
            DrawEverywhere(picture, k, surface);
            if (k >= 0 && k < count) TouchCorners(picture, k);
            ++draws;
        }
    }
    return 0;
}
