// Writer of media library files (".dxg"), used by the asset builder and the tests.
#include "dxgwriter/library_writer.h"

#include <stdexcept>

namespace {

// Value tags of the component stream (the reader's list in media/component_stream.h).
enum : uint8_t {
    kTagNull = 0,
    kTagList = 1,
    kTagInt8 = 2,
    kTagInt16 = 3,
    kTagInt32 = 4,
    kTagString = 6,
    kTagFalse = 8,
    kTagTrue = 9,
    kTagBinary = 10,
    kTagLString = 12,
    kTagCollection = 14,
};

// The resource entry header (raw data, upper-case name) around a component stream.
Bytes WithResourceHeader(const std::string& resourceName, const Bytes& stream) {
    ByteWriter w;
    w.U8(0xFF);
    w.U16(10);
    w.Raw(resourceName);
    w.U8(0);
    w.U16(0x1030);
    w.U32(static_cast<uint32_t>(stream.size()));
    w.Raw(stream);
    return w.Out();
}

void BeginStream(ByteWriter& w, const std::string& rootClass) {
    w.Raw("TPF0");
    w.ShortString(rootClass);
    w.ShortString("");  // the root object has no name
}

void EndStream(ByteWriter& w) {
    w.U8(0);  // end of the root's property list
    w.U8(0);  // end of its (empty) child list
}

// Integers take the smallest tag that holds them, as the reader accepts all three.
void WriteInteger(ByteWriter& w, const std::string& name, int32_t value) {
    w.ShortString(name);
    if (value >= -128 && value <= 127) {
        w.U8(kTagInt8);
        w.U8(static_cast<uint8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
        w.U8(kTagInt16);
        w.I16(static_cast<int16_t>(value));
    } else {
        w.U8(kTagInt32);
        w.I32(value);
    }
}

void WriteInt32(ByteWriter& w, const std::string& name, int32_t value) {
    w.ShortString(name);
    w.U8(kTagInt32);
    w.I32(value);
}

void WriteBoolean(ByteWriter& w, const std::string& name, bool value) {
    w.ShortString(name);
    w.U8(value ? kTagTrue : kTagFalse);
}

void WriteString(ByteWriter& w, const std::string& name, const std::string& value) {
    w.ShortString(name);
    if (value.size() <= 255) {
        w.U8(kTagString);
        w.ShortString(value);
    } else {
        w.U8(kTagLString);
        w.U32(static_cast<uint32_t>(value.size()));
        w.Raw(value);
    }
}

void WriteBinary(ByteWriter& w, const std::string& name, const Bytes& value) {
    w.ShortString(name);
    w.U8(kTagBinary);
    w.U32(static_cast<uint32_t>(value.size()));
    w.Raw(value);
}

// One picture item; the payload is written when given (an empty one as a zero-length value).
void WritePictureItem(ByteWriter& w, const PictureData& p, const Bytes* payload) {
    w.U8(kTagList);
    WriteString(w, "Name", p.Name);
    WriteInteger(w, "PatternHeight", p.PatternHeight);
    WriteInteger(w, "PatternWidth", p.PatternWidth);
    if (payload) WriteBinary(w, "Picture.Data", *payload);
    WriteInteger(w, "SkipHeight", p.SkipHeight);
    WriteInteger(w, "SkipWidth", p.SkipWidth);
    WriteBoolean(w, "SystemMemory", p.SystemMemory);
    WriteBoolean(w, "Transparent", p.Transparent);
    WriteInt32(w, "TransparentColor", static_cast<int32_t>(p.TransparentColor));
    w.U8(kTagNull);  // ends the item's property list and the item
}

template <typename Items, typename WriteItem>
Bytes PictureLibraryBytes(const Items& items, const Bytes& colorTable, WriteItem writeItem) {
    ByteWriter w;
    BeginStream(w, "TPictureCollectionComponent");
    if (!colorTable.empty()) WriteBinary(w, "List.ColorTable", colorTable);
    w.ShortString("List");
    w.U8(kTagCollection);
    for (const auto& item : items) writeItem(w, item);
    w.U8(kTagNull);  // end of the collection
    EndStream(w);
    return WithResourceHeader("TPICTURECOLLECTIONCOMPONENT", w.Out());
}

}  // namespace

Bytes EncodeTdib24(const PictureData& picture) {
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Rgb.size() != static_cast<size_t>(picture.Width) * picture.Height)
        throw std::invalid_argument("picture '" + picture.Name + "': pixels do not match its size");
    const uint32_t stride = (24u * picture.Width + 31) / 32 * 4;
    ByteWriter w;
    w.ShortString("TDIB");
    w.U32(40);
    w.I32(picture.Width);
    w.I32(picture.Height);
    w.U16(1);   // planes
    w.U16(24);  // bit count
    w.U32(0);   // no compression
    w.U32(stride * picture.Height);
    w.U32(0);                                        // horizontal resolution
    w.U32(0);                                        // vertical resolution
    w.U32(0);                                        // colours used
    w.U32(0);                                        // colours important
    for (int y = picture.Height - 1; y >= 0; --y) {  // bottom row first
        const uint32_t* row = picture.Rgb.data() + static_cast<size_t>(y) * picture.Width;
        for (int x = 0; x < picture.Width; ++x) {
            w.U8(static_cast<uint8_t>(row[x]));
            w.U8(static_cast<uint8_t>(row[x] >> 8));
            w.U8(static_cast<uint8_t>(row[x] >> 16));
        }
        for (uint32_t pad = 3u * picture.Width; pad < stride; ++pad) w.U8(0);
    }
    return w.Out();
}

Bytes WritePictureLibrary(const std::vector<PictureData>& pictures, const Bytes& colorTable) {
    return PictureLibraryBytes(pictures, colorTable, [](ByteWriter& w, const PictureData& p) {
        if (p.Width > 0 && p.Height > 0) {
            Bytes payload = EncodeTdib24(p);
            WritePictureItem(w, p, &payload);
        } else {
            WritePictureItem(w, p, nullptr);  // no picture: the property stays absent
        }
    });
}

Bytes WritePictureLibraryRaw(const std::vector<RawPictureItem>& items, const Bytes& colorTable) {
    return PictureLibraryBytes(items, colorTable, [](ByteWriter& w, const RawPictureItem& item) {
        WritePictureItem(w, item.Properties, &item.PictureDataPayload);
    });
}

Bytes WriteSoundLibrary(const std::vector<SoundData>& sounds) {
    ByteWriter w;
    BeginStream(w, "TWaveCollectionComponent");
    w.ShortString("List");
    w.U8(kTagCollection);
    for (const SoundData& sound : sounds) {
        w.U8(kTagList);
        WriteBoolean(w, "Looped", sound.Looped);
        WriteInteger(w, "MaxPlayingCount", sound.MaxPlayingCount);
        WriteString(w, "Name", sound.Name);
        WriteBinary(w, "Wave.WAVE", sound.Wave);
        w.U8(kTagNull);
    }
    w.U8(kTagNull);
    EndStream(w);
    return WithResourceHeader("TWAVECOLLECTIONCOMPONENT", w.Out());
}
