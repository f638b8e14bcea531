#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

namespace quellix::test {

// A forked copy of the test process. Assertions made in the child never reach the test's result,
// so the child reports through its exit code. Killed and reaped when dropped, so a failing test
// leaves no process behind.
class Child {
  public:
    explicit Child(const std::function<int()>& body) {
        // Output still buffered would otherwise be written by both processes.
        std::fflush(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            int code = 125;
            try {
                code = body();
            } catch (...) {
            }
            ::_exit(code);
        }
    }
    ~Child() {
        if (Running()) {
            Kill();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t Pid() const { return pid_; }
    bool Started() const { return pid_ > 0; }

    // Exit code of the child, or minus the number of the signal that ended it.
    int Wait() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0) {
            if (errno != EINTR) {
                pid_ = -1;
                return -255;
            }
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    int Kill() {
        ::kill(pid_, SIGKILL);
        return Wait();
    }

    // True while the child has not ended; does not wait.
    bool Running() {
        if (pid_ <= 0) {
            return false;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            ended_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            pid_ = -1;
            return false;
        }
        return true;
    }

    // Exit code noticed by Running().
    int EndedWith() const { return ended_; }

  private:
    pid_t pid_ = -1;
    int ended_ = -255;
};

// Runs body in a child and returns its exit code (minus the signal when killed).
inline int RunInChild(const std::function<int()>& body) {
    Child child(body);
    return child.Started() ? child.Wait() : -255;
}

}  // namespace quellix::test
