// Replacing a file's contents so that a crash, a full disk or a failed
// rename never leaves the old file truncated or missing.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

using RenameFunction = int (*)(const char* from, const char* to);

// Writes `bytes` into a new temporary file in the same directory as `path`,
// flushes it to the disk and renames it over `path`. Returns false when any
// step fails; the old file is then left exactly as it was, the temporary
// file is removed and errno tells why the failing step failed. A symbolic
// link at `path` is followed, so the file it points to is the one replaced.
// What is not a regular file (a FIFO, a device such as /dev/null) is written
// into directly and stays what it was. `renameFile` exists so tests can make
// the last step fail.
bool replaceFileContents(const std::string& path, std::string_view bytes,
                         RenameFunction renameFile = nullptr);

// A file the user asked for by name on a command line: "-" is the standard
// output; any other name is written as replaceFileContents writes it.
bool writeOutputFile(const std::string& path, std::string_view bytes);

}  // namespace celvaro
