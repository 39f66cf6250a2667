// The program's end of a simulated mount's terminal: the slave side opened
// raw, with reads that wait at most a given time.
#pragma once

#include <string>
#include <string_view>

namespace celvaro::mountsim {

class PtyClient {
 public:
  explicit PtyClient(const std::string& path);
  ~PtyClient();
  PtyClient(const PtyClient&) = delete;
  PtyClient& operator=(const PtyClient&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  void send(std::string_view bytes);
  // Bytes up to and including `last`, or what came before the time ran out.
  std::string readUntil(char last, int timeoutMs = 2000);
  // Sends a command and reads its reply up to `last`.
  std::string ask(std::string_view command, char last) {
    send(command);
    return readUntil(last);
  }
  // True when the port reports the other side gone (end of file, EIO or
  // POLLHUP) within the time.
  bool seesHangUp(int timeoutMs);

 private:
  int fd_ = -1;
};

}  // namespace celvaro::mountsim
