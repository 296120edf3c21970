// Reader of the media library files (".dxg"): the picture and sound items of the component stream.
#include "media/library_format.h"

#include <algorithm>

#include "media/component_stream.h"
#include "media/dib_decoder.h"

namespace {

const char kPictureRoot[] = "TPictureCollectionComponent";
const char kSoundRoot[] = "TWaveCollectionComponent";

// All pictures of one library together may hold at most this many pixels. Compressed (RLE)
// payloads can describe large pictures in a few bytes, so the per-picture limit alone would let
// a damaged file with many such pictures claim gigabytes.
const int64_t kMaxLibraryPixels = int64_t{1} << 25;

void ExpectRoot(ComponentStream& stream, const char* className) {
    std::string found = stream.ReadRootHeader();
    if (!SameName(found, className))
        stream.Fail("root component is '" + found + "', expected '" + className + "'");
}

// How errors name an item: by its name once it is known, else by its position in the list.
std::string ItemContext(const char* kind, size_t index, const std::string& name) {
    if (name.empty()) return std::string(kind) + " " + std::to_string(index);
    return std::string(kind) + " '" + name + "'";
}

// The plain integer and boolean properties of a picture item.
struct IntegerProperty {
    const char* Name;
    int PictureData::*Field;
};
const IntegerProperty kIntegerProperties[] = {{"PatternHeight", &PictureData::PatternHeight},
                                              {"PatternWidth", &PictureData::PatternWidth},
                                              {"SkipHeight", &PictureData::SkipHeight},
                                              {"SkipWidth", &PictureData::SkipWidth}};
struct BooleanProperty {
    const char* Name;
    bool PictureData::*Field;
};
const BooleanProperty kBooleanProperties[] = {{"SystemMemory", &PictureData::SystemMemory},
                                              {"Transparent", &PictureData::Transparent}};

// Reads the value of prop when it is one of the plain properties; false otherwise.
bool ReadPlainProperty(ComponentStream& s, const std::string& prop, PictureData& p) {
    for (const IntegerProperty& known : kIntegerProperties) {
        if (SameName(prop, known.Name)) {
            p.*known.Field = s.ReadInteger(prop);
            return true;
        }
    }
    for (const BooleanProperty& known : kBooleanProperties) {
        if (SameName(prop, known.Name)) {
            p.*known.Field = s.ReadBoolean(prop);
            return true;
        }
    }
    if (!SameName(prop, "TransparentColor")) return false;
    p.TransparentColor = s.ReadColor(prop);
    return true;
}

// Reads one picture item's property list; the payload is decoded once the whole item is read,
// so that its errors can name the picture.
PictureData ReadPictureItem(ComponentStream& s, size_t index, int64_t& pixelBudget) {
    PictureData p;
    ByteRange payload;
    s.SetContext(ItemContext("picture", index, ""));
    for (std::string prop = s.NextPropertyName(); !prop.empty(); prop = s.NextPropertyName()) {
        if (SameName(prop, "Name")) {
            p.Name = s.ReadString(prop);
            s.SetContext(ItemContext("picture", index, p.Name));
        } else if (SameName(prop, "Picture.Data")) {
            payload = s.ReadBinary(prop);
        } else if (!ReadPlainProperty(s, prop, p)) {
            s.SkipValue();
        }
    }
    DecodedPicture decoded =
        DecodePicturePayload(s.FileBytes(), payload, s.FileName() + ": " + s.Context(),
                             std::min(pixelBudget, kMaxPicturePixels));
    pixelBudget -= int64_t{decoded.Width} * decoded.Height;
    p.Width = decoded.Width;
    p.Height = decoded.Height;
    p.Rgb = std::move(decoded.Rgb);
    return p;
}

SoundData ReadSoundItem(ComponentStream& s, size_t index) {
    SoundData sound;
    s.SetContext(ItemContext("sound", index, ""));
    for (std::string prop = s.NextPropertyName(); !prop.empty(); prop = s.NextPropertyName()) {
        if (SameName(prop, "Name")) {
            sound.Name = s.ReadString(prop);
            s.SetContext(ItemContext("sound", index, sound.Name));
        } else if (SameName(prop, "Looped")) {
            sound.Looped = s.ReadBoolean(prop);
        } else if (SameName(prop, "MaxPlayingCount")) {
            int count = s.ReadInteger(prop);
            sound.MaxPlayingCount = count < 0 ? 0 : count;
        } else if (SameName(prop, "Wave.WAVE")) {
            ByteRange wave = s.ReadBinary(prop);
            sound.Wave.assign(s.FileBytes().begin() + wave.Begin, s.FileBytes().begin() + wave.End);
        } else {
            s.SkipValue();
        }
    }
    return sound;
}

}  // namespace

PictureLibrary ReadPictureLibrary(const Bytes& bytes, const std::string& fileName) {
    ComponentStream s(bytes, fileName);
    ExpectRoot(s, kPictureRoot);
    PictureLibrary library;
    int64_t pixelBudget = kMaxLibraryPixels;
    for (std::string prop = s.NextPropertyName(); !prop.empty(); prop = s.NextPropertyName()) {
        if (SameName(prop, "List.ColorTable")) {
            ByteRange table = s.ReadBinary(prop);
            if (table.Size() != 1024)
                s.Fail("'List.ColorTable' holds " + std::to_string(table.Size()) +
                       " bytes, expected 1024");
            library.ColorTable.assign(bytes.begin() + table.Begin, bytes.begin() + table.End);
        } else if (SameName(prop, "List")) {
            s.BeginCollection(prop);
            while (s.NextItem())
                library.Pictures.push_back(
                    ReadPictureItem(s, library.Pictures.size(), pixelBudget));
            s.SetContext("");
        } else {
            s.SkipValue();
        }
    }
    s.ReadChildListEnd();
    return library;
}

std::vector<SoundData> ReadSoundLibrary(const Bytes& bytes, const std::string& fileName) {
    ComponentStream s(bytes, fileName);
    ExpectRoot(s, kSoundRoot);
    std::vector<SoundData> sounds;
    for (std::string prop = s.NextPropertyName(); !prop.empty(); prop = s.NextPropertyName()) {
        if (SameName(prop, "List")) {
            s.BeginCollection(prop);
            while (s.NextItem()) sounds.push_back(ReadSoundItem(s, sounds.size()));
            s.SetContext("");
        } else {
            s.SkipValue();
        }
    }
    s.ReadChildListEnd();
    return sounds;
}
