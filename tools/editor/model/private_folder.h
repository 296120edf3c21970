// A folder of the editor's own under the system's temporary folder: made fresh with a name no
// one can guess, readable by the user alone, and removed with everything in it when done.
#pragma once

#include <string>

#include "media/byte_io.h"

class PrivateFolder {
  public:
    // Throws FileError naming the temporary folder when it cannot be made.
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // The folder's path with a trailing '/'.
    const std::string& Path() const { return path_; }
    // Writes a new file `name` in the folder and returns its path. The file must not exist yet:
    // nothing already there, a symbolic link least of all, is opened or followed.
    std::string WriteNew(const std::string& name, const Bytes& bytes);

  private:
    std::string path_;
};

// Removes the private folders of editors that were killed during a test play: only folders of
// this user named as PrivateFolder names them and untouched for a day. Returns how many went.
int RemoveStalePrivateFolders();
