// Decoder of picture payloads: device-independent bitmaps ("TDIB") and bitmap files ("TBitmap").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"
#include "media/component_stream.h"

// A decoded picture: 0 x 0 when the payload holds no picture.
struct DecodedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Rgb;  // 0x00RRGGBB, top row first
};

// The largest picture the decoder accepts, in pixels (a 4096 x 4096 picture). Our libraries stay
// far below it; the limit keeps a damaged header from asking for gigabytes.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 24;

// Decodes the "Picture.Data" payload `range` of the library file `file`: a short string naming
// the picture class, then the picture. `where` starts every error message, e.g.
// "meniu.dxg: picture 'logo'", followed by "DIB is invalid", "Bitcount in invalid (7)",
// "PixelFormat in invalid" or a description of what else was wrong. A picture of more than
// maxPixels pixels is refused before any pixel memory is allocated.
DecodedPicture DecodePicturePayload(const Bytes& file, ByteRange range, const std::string& where,
                                    int64_t maxPixels = kMaxPicturePixels);
