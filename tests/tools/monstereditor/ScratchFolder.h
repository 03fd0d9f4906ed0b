// The temporary folder of the tools' tests with helpers to put files there
// and read them back, running a check as an ordinary user, and a limit on
// file size that makes writes fail part-way.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/FileIO.h"
#include "tests/support/TempFolder.h"

namespace vorn::tooltest {

// The tests' temporary folder with what the tools' tests add: opening it to
// every user, and writing and reading files the way the tools do.
class ScratchFolder : public test::TempFolder {
public:
    // Lets every user create and remove files in the folder.
    void OpenToEveryone() const {
        std::filesystem::permissions(Path(), std::filesystem::perms::all);
    }
    std::string File(const std::string& name) const { return PathOf(name); }

    void Write(const std::string& name, const std::string& bytes) const {
        ASSERT_TRUE(WriteFileAtomically(File(name), bytes)) << name;
    }
    // The file's bytes, or "<missing>" when it cannot be read.
    std::string Read(const std::string& name) const {
        std::string bytes;
        return ReadWholeFile(File(name), bytes) ? bytes : std::string("<missing>");
    }
};

// Runs `check` in a child process with the rights of an ordinary user
// ("nobody"), so file permissions apply even when the tests run as root.
// True when the child ran and `check` returned true.
template <typename Check>
bool RunUnprivileged(Check check) {
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(2);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Lowers the largest file this process may write while it lives; a write
// past the limit then fails instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace vorn::tooltest
