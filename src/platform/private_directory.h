// A directory for one user's fleeting files, such as the runtime directory a
// toolkit asks for, made so that no other user can read, plant or swap what
// is in it.
#pragma once

#include <string>

namespace celvaro {

// Makes the directory with mode 0700 when it is missing. True when the path
// then names a real directory (not a symbolic link) owned by this process's
// user that nobody else may enter; false for anything else, which is left
// untouched.
bool makePrivateDirectory(const std::string& path);

}  // namespace celvaro
