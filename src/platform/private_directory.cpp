#include "platform/private_directory.h"

#include <sys/stat.h>
#include <unistd.h>

namespace celvaro {

bool makePrivateDirectory(const std::string& path) {
  ::mkdir(path.c_str(), 0700);
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & 077) == 0;
}

}  // namespace celvaro
