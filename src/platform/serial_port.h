// Serial ports as the telescope link uses them: numbered ports resolved to
// devices, opened raw at 9600 baud, 8 data bits, no parity, 1 stop bit,
// without flow control.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

// The device behind port number 1..256: the file or link
// <programDirectory>/ports/COM<n> when it exists, otherwise the n-th
// existing device in the order /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*;
// "" when there is none.
std::string serialDeviceForPort(const std::string& programDirectory, int port);

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens the device exclusively; false when it cannot be opened or set up.
  bool open(const std::string& device);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }
  // Writes every byte, waiting at most a second for the port to take them.
  void write(const uint8_t* bytes, size_t count);
  // Sets DTR and RTS.
  void setControlLines(bool dtr, bool rts);
  // Discards what waits in both directions.
  void purge();

 private:
  int fd_ = -1;
};

}  // namespace celvaro
