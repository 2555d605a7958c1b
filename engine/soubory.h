// Whole-file reading and safe writing with the system's error descriptions.
// Data is read from regular files only: a FIFO, a device or a directory
// would block, never end or make no sense as a file's content.
#pragma once

#include <string>

// Opens a regular file for reading and returns its descriptor, never waiting
// on the file: anything else is refused. Throws ChybaCteni whose text begins
// with the description, e.g. "Soubor 'x.txt': není obyčejný soubor".
int OtevriKCteni(const std::string& cesta, const std::string& popis);

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
