// Shared helpers of the tests: temporary folders and paths of the built data.
#pragma once

#include <string>

// A fresh empty folder under the system's temporary folder, removed when the object dies.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder's path with a trailing separator.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// The build's game folder (data files made by the build), with a trailing separator.
std::string BuiltGameDir();
// The source tree's root, with a trailing separator.
std::string SourceDir();

// A data folder standing for the build's game folder: links to its data files and the default
// configuration, so that nothing a run might write lands in the game folder itself.
class BuiltDataFolder {
  public:
    BuiltDataFolder();
    const std::string& Path() const { return dir_.Path(); }

  private:
    TempDir dir_;
};
