// Serial ports as the telescope link uses them: numbered ports resolved to
// devices, opened raw at 9600 baud, 8 data bits, no parity, 1 stop bit,
// without flow control.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

constexpr int kSerialPortCount = 256;
constexpr const char* kSerialByIdDirectory = "/dev/serial/by-id";

// The device behind port number 1..256: the file or link
// <programDirectory>/ports/COM<n> when it exists, otherwise the n-th
// existing device in the order /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*;
// "" when there is none. A link whose target is missing (an adapter
// unplugged) makes the port unavailable: "", never another device.
std::string serialDeviceForPort(const std::string& programDirectory, int port);

// What a port number stands for, as the connect dialogs show it.
struct SerialPortInfo {
  std::string device;    // what SerialPort::open takes; "" when the port is unavailable
  std::string resolved;  // the device file it ends at; for a missing link, where the link points
  std::string byIdName;  // the adapter's stable name in the by-id directory, "" without one
  bool missing = false;  // ports/COM<n> exists but its target does not
};

// Ports 1..count described in one pass over the devices.
std::vector<SerialPortInfo> describeSerialPorts(const std::string& programDirectory, int count,
                                                const std::string& byIdDirectory = kSerialByIdDirectory);

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens the device exclusively with DTR and RTS off (the kernel raises
  // them at the open; they are lowered right after it, so a shutter cable
  // on RTS sees a pulse of some tens of microseconds, 0.2 ms at most as
  // measured on a 16550A); false when it cannot be opened or set up.
  bool open(const std::string& device);
  // Lets the bytes written last (a mount's stop command, say) leave the
  // port, for a fifth of a second at most, so a line that no longer takes
  // bytes does not hold the program; discards unread input; gives up the
  // exclusive mode, so another program can open the port.
  void close();
  bool isOpen() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }
  // Writes every byte, waiting at most a second for the port to take them.
  void write(const uint8_t* bytes, size_t count);
  // Sets DTR and RTS.
  void setControlLines(bool dtr, bool rts);

 private:
  int fd_ = -1;
};

}  // namespace celvaro
