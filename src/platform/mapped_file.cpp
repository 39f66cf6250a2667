#include "platform/mapped_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <mutex>
#include <utility>

namespace celvaro {
namespace {

// The mappings open now, as the bus-error handler reads them: a slot holds
// a mapping's first and last byte addresses, or zeros when free.
struct MappingSlot {
  std::atomic<uintptr_t> begin{0}, end{0};
};
constexpr size_t kMaxMappings = 64;
std::array<MappingSlot, kMaxMappings> mappings;
std::mutex slotsTaken;
struct sigaction systemAction;
uintptr_t pageBytes = 4096;  // the system's, read before the handler is set

bool ownsAddress(uintptr_t address) {
  for (const MappingSlot& slot : mappings) {
    if (address >= slot.begin.load() && address < slot.end.load()) return true;
  }
  return false;
}

// A page of a mapping whose file was shortened under it is past the file's
// end: it becomes a page of zeros and the reading goes on. A bus error of
// anything else ends the process as it would have without this handler.
void mendBusError(int signal, siginfo_t* info, void*) {
  const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
  if (info->si_code > 0 && ownsAddress(address)) {
    void* zeros = ::mmap(reinterpret_cast<void*>(address & ~(pageBytes - 1)), pageBytes, PROT_READ,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) return;
  }
  ::sigaction(signal, &systemAction, nullptr);
  if (info->si_code <= 0) ::raise(signal);  // sent, not a fault: deliver it again
}

void installHandler() {
  pageBytes = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = mendBusError;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGBUS, &action, &systemAction);
}

// A slot for the mapping; false when every slot is taken.
bool remember(const uint8_t* data, size_t size) {
  static std::once_flag installed;
  std::call_once(installed, installHandler);
  const std::lock_guard lock(slotsTaken);
  for (MappingSlot& slot : mappings) {
    if (slot.end.load() != 0) continue;
    slot.begin = reinterpret_cast<uintptr_t>(data);
    slot.end = reinterpret_cast<uintptr_t>(data) + size;
    return true;
  }
  return false;
}

void forget(const uint8_t* data) {
  const std::lock_guard lock(slotsTaken);
  for (MappingSlot& slot : mappings) {
    if (slot.begin.load() != reinterpret_cast<uintptr_t>(data)) continue;
    slot.end = 0;
    slot.begin = 0;
    return;
  }
}

}  // namespace

MappedFile::MappedFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0) {
    size_ = static_cast<size_t>(info.st_size);
    void* map = size_ > 0 ? ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0) : nullptr;
    if (map == MAP_FAILED || (map && !remember(static_cast<const uint8_t*>(map), size_))) {
      if (map != MAP_FAILED) ::munmap(map, size_);
      size_ = 0;
    } else {
      data_ = static_cast<const uint8_t*>(map);
      open_ = true;
    }
  }
  ::close(fd);  // the mapping stays valid
}

MappedFile::~MappedFile() { close(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      open_(std::exchange(other.open_, false)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    close();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    open_ = std::exchange(other.open_, false);
  }
  return *this;
}

void MappedFile::close() {
  if (data_) {
    forget(data_);
    ::munmap(const_cast<uint8_t*>(data_), size_);
  }
  data_ = nullptr;
  size_ = 0;
  open_ = false;
}

}  // namespace celvaro
