// An image list: the pictures of one library file, found by position or by name.
#include <cctype>
#include <stdexcept>

#include "media/byte_io.h"
#include "media/frame_drawing.h"
#include "media/picture.h"

namespace {

unsigned char Lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

// The file name without its folders: library errors name the file as the game knows it.
std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

size_t PictureList::NoCaseHash::operator()(const std::string& s) const {
    size_t h = 14695981039346656037ull;  // FNV-1a over the lower-case letters
    for (char c : s) h = (h ^ Lower(c)) * 1099511628211ull;
    return h;
}

bool PictureList::NoCaseEqual::operator()(const std::string& a, const std::string& b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

void PictureList::LoadPictures(const std::string& path) {
    Clear();
    Bytes bytes = ReadFileBytes(path);
    LoadLibrary(ReadPictureLibrary(bytes, BaseName(path)));
}

void PictureList::LoadLibrary(PictureLibrary library) {
    Clear();
    pictures_.reserve(library.Pictures.size());
    for (PictureData& data : library.Pictures) {
        pictures_.emplace_back(std::move(data));
        // When two pictures share a name, the first one is found.
        byName_.emplace(pictures_.back().Name(), static_cast<int>(pictures_.size()) - 1);
    }
}

int PictureList::IndexOf(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? -1 : it->second;
}

const Picture& PictureList::FindPicture(const std::string& name) const {
    auto it = byName_.find(name);
    if (it == byName_.end()) throw std::runtime_error("Image '" + name + "' not found");
    return pictures_[it->second];
}

const Picture& PictureList::PictureAt(int index) const {
    if (index < 0 || index >= Count())
        throw std::runtime_error("List index out of bounds (" + std::to_string(index) + ")");
    return pictures_[index];
}

PictureList::~PictureList() {
    if (!pictures_.empty()) FrameDrawing::BeforePicturesChange();
}

void PictureList::Clear() {
    FrameDrawing::BeforePicturesChange();  // a frame being recorded may still draw these
    pictures_.clear();
    byName_.clear();
}
