// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

// A PulseAudio server of the test's own: a null sink (whose monitor records what it plays)
// and a socket in a folder of its own, with a home and runtime folder of its own, so nothing
// of the machine's own sound setup is touched. Used by the sound tests and the benchmark.

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

namespace rz6::test {

class PrivateSoundServer {
public:
    PrivateSoundServer() {
        char pattern[] = "/tmp/rz6-sound-XXXXXX";
        if (mkdtemp(pattern))
            folder_ = pattern;
        std::filesystem::create_directories(folder_ + "/home");
        std::filesystem::create_directories(folder_ + "/run");
        std::filesystem::permissions(folder_ + "/run", std::filesystem::perms::owner_all);
    }
    ~PrivateSoundServer() {
        stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    static bool installed() { return std::system("command -v pulseaudio >/dev/null 2>&1") == 0; }

    const std::string& folder() const { return folder_; }
    std::string socket() const { return folder_ + "/run/native"; }
    // The address for PULSE_SERVER.
    std::string address() const { return "unix:" + socket(); }

    // Starts the server and waits (up to ten seconds) until its socket answers.
    bool start() {
        const std::string log = folder_ + "/pulseaudio.log";
        const std::string protocol =
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket();
        pid_ = fork();
        if (pid_ == 0) {
            setenv("HOME", (folder_ + "/home").c_str(), 1);
            setenv("XDG_RUNTIME_DIR", (folder_ + "/run").c_str(), 1);
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                   "--realtime=no", "--high-priority=no", "--use-pid-file=no",
                   "--load=module-null-sink sink_name=null", protocol.c_str(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid_ < 0)
            return false;
        for (int tries = 0; tries < 1000; ++tries) {
            if (answers())
                return true;
            int status;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Ends the server as a crash would: no goodbye to its clients.
    void kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    void stop() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        for (int tries = 0; tries < 200; ++tries) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill();
    }

private:
    bool answers() const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket().c_str(), sizeof address.sun_path - 1);
        const bool connected =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        return connected;
    }

    std::string folder_;
    pid_t pid_ = -1;
};

} // namespace rz6::test
