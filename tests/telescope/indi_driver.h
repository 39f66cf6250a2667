// An INDI driver run as a child process, speaking INDI's XML on its
// standard input and output (no server, no network), its configuration
// under a scratch home directory. The child is killed when this object goes,
// and when the test program dies. The same conversation can be held with an
// INDI server over a connected socket, and the child can be a server.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace celvaro::testing {

class IndiDriver {
 public:
  // Starts `program` with HOME set to `home`; its error output goes to
  // `errorLog`. running() tells whether the start worked.
  IndiDriver(const std::string& program, const std::string& home, const std::string& errorLog,
             const std::vector<std::string>& arguments = {}) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
      ::close(in[0]), ::close(in[1]);
      return;
    }
    // Everything the child needs is made before the fork: after it, the
    // child only calls what is safe in a copy of a threaded process.
    std::vector<std::string> environment{"HOME=" + home};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::string(*e).rfind("HOME=", 0) != 0) environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    const int error = ::open(errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) runChild(argv.data(), envp.data(), in[0], out[1], error);
    if (error >= 0) ::close(error);
    ::close(in[0]), ::close(out[1]);
    toDriver_ = in[1], fromDriver_ = out[0];
    if (pid_ < 0) return;
    reader_ = std::thread([this] { gather(); });
  }
  // Talks to a server on `socket`, which it takes over.
  explicit IndiDriver(int socket) : toDriver_(::dup(socket)), fromDriver_(socket) {
    reader_ = std::thread([this] { gather(); });
  }
  ~IndiDriver() {
    kill();
    if (fromDriver_ >= 0) ::shutdown(fromDriver_, SHUT_RDWR);
    if (toDriver_ >= 0) ::close(toDriver_);
    if (reader_.joinable()) reader_.join();
    if (fromDriver_ >= 0) ::close(fromDriver_);
  }
  IndiDriver(const IndiDriver&) = delete;
  IndiDriver& operator=(const IndiDriver&) = delete;

  bool running() const { return pid_ > 0; }
  // The child's own children (a server's drivers), as the kernel lists them.
  std::vector<pid_t> children() const {
    std::vector<pid_t> found;
    std::ifstream list("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children");
    for (pid_t child = 0; list >> child;) found.push_back(child);
    return found;
  }
  // Ends the driver at once, as a crash would.
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  void send(const std::string& xml) {
    for (size_t done = 0; toDriver_ >= 0 && done < xml.size();) {
      const ssize_t n = ::write(toDriver_, xml.data() + done, xml.size() - done);
      if (n <= 0) return;
      done += static_cast<size_t>(n);
    }
  }
  void setText(const std::string& device, const std::string& vector, const std::string& member,
               const std::string& value) {
    send("<newTextVector device='" + device + "' name='" + vector + "'><oneText name='" + member + "'>" + value +
         "</oneText></newTextVector>\n");
  }
  void setSwitch(const std::string& device, const std::string& vector, const std::string& member) {
    send("<newSwitchVector device='" + device + "' name='" + vector + "'><oneSwitch name='" + member +
         "'>On</oneSwitch></newSwitchVector>\n");
  }
  void setNumbers(const std::string& device, const std::string& vector,
                  const std::vector<std::pair<std::string, int>>& members) {
    std::string xml = "<newNumberVector device='" + device + "' name='" + vector + "'>";
    for (const auto& [name, value] : members) {
      xml += "<oneNumber name='" + name + "'>" + std::to_string(value) + "</oneNumber>";
    }
    send(xml + "</newNumberVector>\n");
  }

  // How much the driver has said so far: a mark to look for later output.
  size_t mark() {
    std::lock_guard lock(mutex_);
    return output_.size();
  }
  // The first set...Vector element of `vector` in state `state` the driver
  // wrote after `from`, waiting up to `timeout`.
  std::optional<std::string> awaitVector(const std::string& vector, const std::string& state, size_t from,
                                         std::chrono::milliseconds timeout) {
    return awaitMatch(vectorPattern(vector, state), from, timeout);
  }
  // The first text matching `element` said after `from`.
  std::optional<std::string> awaitMatch(const std::regex& element, size_t from, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      std::string said;
      {
        std::lock_guard lock(mutex_);
        said = output_.substr(std::min(from, output_.size()));
      }
      std::smatch found;
      if (std::regex_search(said, found, element)) return found.str();
      if (std::chrono::steady_clock::now() >= end) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // Every such element said after `from`, in order.
  std::vector<std::string> vectorsSince(const std::string& vector, const std::string& state, size_t from) {
    std::lock_guard lock(mutex_);
    const std::regex element = vectorPattern(vector, state);
    const auto begin = output_.begin() + static_cast<std::ptrdiff_t>(std::min(from, output_.size()));
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(begin, output_.end(), element); it != std::sregex_iterator(); ++it) {
      found.push_back(it->str());
    }
    return found;
  }
  // A member's value in an element.
  static std::string member(const std::string& element, const std::string& name) {
    std::smatch found;
    const std::regex value("<one\\w+\\s+name=[\"']" + name + "[\"']>\\s*([^<]*?)\\s*</one");
    return std::regex_search(element, found, value) ? found[1].str() : "";
  }

 private:
  // A driver quotes attributes with ', a server with ".
  static std::regex vectorPattern(const std::string& vector, const std::string& state) {
    return std::regex("<set(Text|Number|Switch|Light)Vector\\s+device=.[^'\"]*.\\s+name=." + vector +
                      ".\\s+state=.(?:" + state + ").[^>]*>[\\s\\S]*?</set\\1Vector>");
  }
  [[noreturn]] static void runChild(char* const* argv, char* const* envp, int input, int output, int error) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 || (error >= 0 && ::dup2(error, 2) < 0)) ::_exit(126);
    ::execve(argv[0], argv, envp);
    ::_exit(127);
  }
  void gather() {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fromDriver_, buffer, sizeof buffer);
      if (n <= 0) return;
      std::lock_guard lock(mutex_);
      output_.append(buffer, static_cast<size_t>(n));
    }
  }

  pid_t pid_ = -1;
  int toDriver_ = -1, fromDriver_ = -1;
  std::mutex mutex_;
  std::string output_;
  std::thread reader_;
};

// A socket connected to the INDI server listening on the loopback's `port`,
// tried for five seconds while the server starts; -1 when none listens.
inline int connectToServer(int port) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return s;
    ::close(s);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

// INDI's universal time ("2026-03-05T21:07:09") as seconds since 1970; -1
// when it does not read as one.
inline int64_t utcSeconds(const std::string& text) {
  tm t{};
  return ::strptime(text.c_str(), "%Y-%m-%dT%H:%M:%S", &t) ? int64_t(::timegm(&t)) : -1;
}

inline constexpr int kIndiPort = 7624;  // the default: the namespace is the tests' own

// indiserver on kIndiPort driving Debian's telescope simulator, with its home
// (and log) in `home`; none unless it listens.
inline std::unique_ptr<IndiDriver> startTelescopeSimulator(const std::string& home) {
  auto server = std::make_unique<IndiDriver>("/usr/bin/indiserver", home, home + "/server.log",
                                             std::vector<std::string>{"-p", std::to_string(kIndiPort),
                                                                      "/usr/bin/indi_simulator_telescope"});
  const int s = server->running() ? connectToServer(kIndiPort) : -1;
  if (s < 0) return nullptr;
  ::close(s);
  return server;
}

// Debian's INDI driver for LX200 mounts (indi_lx200generic from indi-bin),
// what guiding programs use to talk to a mount, as a guiding client of the
// program's guider port: a child process speaking INDI's XML, its serial
// port the far end of a pseudo-terminal cable.
constexpr char kLx200Driver[] = "/usr/bin/indi_lx200generic";
constexpr char kLx200Device[] = "Standard LX200";

// Starts the driver with its home in `dir`.
inline std::unique_ptr<IndiDriver> startLx200Driver(const std::filesystem::path& dir) {
  return std::make_unique<IndiDriver>(kLx200Driver, dir.string(), (dir / "driver.log").string());
}

// Connects the driver on `port`: the mark of its replies from the connect
// request on, once it has read the mount's site and clock (its last step
// of connecting); none when it did not within ten seconds.
inline std::optional<size_t> connectLx200Driver(IndiDriver& driver, const std::filesystem::path& port) {
  if (!driver.running()) return std::nullopt;
  driver.send("<getProperties version='1.7'/>\n");
  driver.setSwitch(kLx200Device, "DEVICE_AUTO_SEARCH", "INDI_DISABLED");
  driver.setText(kLx200Device, "DEVICE_PORT", "PORT", port.string());
  const size_t from = driver.mark();
  driver.setSwitch(kLx200Device, "CONNECTION", "CONNECT");
  if (!driver.awaitVector("TIME_UTC", "Ok", from, std::chrono::seconds(10))) return std::nullopt;
  return from;
}

}  // namespace celvaro::testing
