// Writer of media library files (".dxg"), used by the asset builder and the tests.
#pragma once

#include <string>
#include <vector>

#include "media/library_format.h"

// A picture library with every picture stored as a 24-bit "TDIB" with a 40-byte header.
Bytes WritePictureLibrary(const std::vector<PictureData>& pictures, const Bytes& colorTable = {});
// A sound library; each item's Wave is stored as given.
Bytes WriteSoundLibrary(const std::vector<SoundData>& sounds);
// Lower-level pieces for tests that need unusual payloads (other bit counts, RLE, core headers):
// a picture item whose "Picture.Data" payload is given raw (class name + bitmap bytes).
struct RawPictureItem {
    PictureData Properties;    // Name, pattern sizes, skip sizes, transparency (pixels ignored)
    Bytes PictureDataPayload;  // the full "Picture.Data" binary value, class name included
};
Bytes WritePictureLibraryRaw(const std::vector<RawPictureItem>& items,
                             const Bytes& colorTable = {});
// The "Picture.Data" payload of a 24-bit TDIB for a decoded picture.
Bytes EncodeTdib24(const PictureData& picture);
