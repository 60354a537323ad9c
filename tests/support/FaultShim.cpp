// A library preloaded (LD_PRELOAD) into a program under test to make the
// disk fail for one file, the way a full disk or a dying one does, without
// touching the program's code. CLONARA_FAULT says what fails:
//
//   CALL:ERROR:TEXT[:BYTES]
//
// CALL is write, fdatasync, fsync, close or rename; ERROR is ENOSPC, EIO or
// EDQUOT; the call fails for descriptors (or rename paths) whose path
// contains TEXT. For write, BYTES lets that many bytes through first (a disk
// with BYTES free), the last write short as the kernel makes it.
#include <dlfcn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Fault {
    char call[16] = {};
    int error = 0;
    char text[256] = {};
    long long allowed = 0;
    bool active = false;
};

const Fault& TheFault() {
    static const Fault fault = [] {
        Fault f;
        const char* setting = std::getenv("CLONARA_FAULT");
        if (!setting)
            return f;
        char error[16] = {};
        if (std::sscanf(setting, "%15[^:]:%15[^:]:%255[^:]:%lld", f.call, error, f.text,
                        &f.allowed) < 3)
            return f;
        f.error = std::strcmp(error, "ENOSPC") == 0   ? ENOSPC
                  : std::strcmp(error, "EDQUOT") == 0 ? EDQUOT
                                                      : EIO;
        f.active = true;
        return f;
    }();
    return fault;
}

bool Matches(const char* call, const char* path) {
    const Fault& f = TheFault();
    return f.active && std::strcmp(f.call, call) == 0 && path && std::strstr(path, f.text);
}

bool DescriptorMatches(const char* call, int fd) {
    const Fault& f = TheFault();
    if (!f.active || std::strcmp(f.call, call) != 0)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length < 0)
        return false;
    path[length] = '\0';
    return Matches(call, path);
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

long long g_written = 0; // bytes let through to failing files

} // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t count) {
    static const auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (count > 0 && DescriptorMatches("write", fd)) {
        const long long left = TheFault().allowed - g_written;
        if (left <= 0) {
            errno = TheFault().error;
            return -1;
        }
        if (static_cast<long long>(count) > left)
            count = static_cast<size_t>(left);
        const ssize_t written = next(fd, buffer, count);
        if (written > 0)
            g_written += written;
        return written;
    }
    return next(fd, buffer, count);
}

int fdatasync(int fd) {
    static const auto next = Next<int (*)(int)>("fdatasync");
    if (DescriptorMatches("fdatasync", fd)) {
        errno = TheFault().error;
        return -1;
    }
    return next(fd);
}

int fsync(int fd) {
    static const auto next = Next<int (*)(int)>("fsync");
    if (DescriptorMatches("fsync", fd)) {
        errno = TheFault().error;
        return -1;
    }
    return next(fd);
}

int close(int fd) {
    static const auto next = Next<int (*)(int)>("close");
    const bool fail = DescriptorMatches("close", fd);
    const int result = next(fd);
    if (fail) {
        errno = TheFault().error;
        return -1;
    }
    return result;
}

int rename(const char* from, const char* to) {
    static const auto next = Next<int (*)(const char*, const char*)>("rename");
    if (Matches("rename", from) || Matches("rename", to)) {
        errno = TheFault().error;
        return -1;
    }
    return next(from, to);
}

} // extern "C"
