// Whole-file reading and safe writing with the system's error descriptions.
// Data is read from regular files only: a FIFO, a device or a directory
// would block, never end or make no sense as a file's content.
//
// A symbolic link is followed only where the kernel's rule for links in
// shared folders would follow it: in a world-writable sticky folder, only a
// link owned by the running user or by the folder's owner. Any other link
// there may have been planted by another user to make the program read or
// overwrite a file of his choice, so it is refused like a non-regular file.
#pragma once

#include <string>

// An open file descriptor, closed with its owner.
class TDeskriptor {
public:
    TDeskriptor() = default;
    explicit TDeskriptor(int fd) : fd_(fd) {}
    ~TDeskriptor() { Zavri(); }
    TDeskriptor(TDeskriptor&& jiny) noexcept : fd_(jiny.fd_) { jiny.fd_ = -1; }
    TDeskriptor& operator=(TDeskriptor&& jiny) noexcept;
    TDeskriptor(const TDeskriptor&) = delete;
    TDeskriptor& operator=(const TDeskriptor&) = delete;

    int Fd() const { return fd_; }
    // Closes it now. False when closing failed (errno says why): data written
    // may not have reached the file.
    bool Zavri();

private:
    int fd_ = -1;
};

// Opens a regular file for reading, never waiting on the file: anything else
// is refused. Throws ChybaCteni whose text begins with the description, e.g.
// "Soubor 'x.txt': není obyčejný soubor".
TDeskriptor OtevriKCteni(const std::string& cesta, const std::string& popis);

// Reads the whole file. Throws ChybaCteni naming the file and the failure.
std::string PrectiSoubor(const std::string& cesta);

// Replaces the file's content with the bytes and keeps the user's file as it
// was set up: a symbolic link stays a link and its target gets the bytes, and
// the file keeps its permissions. The bytes go to a temporary file beside the
// target first, so a failure leaves the old file whole; where no file can be
// made there but the target itself is writable, it is written in place.
// A write-protected file or one that is not a regular file is refused.
// Throws ChybaZapisu naming the file and the failure.
void ZapisSouborAtomicky(const std::string& cesta, const std::string& obsah);
