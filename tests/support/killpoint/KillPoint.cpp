// Preloaded (LD_PRELOAD) into a program under test to stop it dead at one of its renames or disk flushes,
// as a power cut or `kill -9` would, so a test can check what the program leaves behind.
//
//   VELMORA_KILL_MATCH=DIR   only calls on DIR and the files under it count (the program's settings
//                            and temporaries elsewhere change from run to run)
//   VELMORA_KILL_LOG=FILE    appends one line per counted call: "rename FROM TO" or "fsync PATH"
//   VELMORA_KILL_AT=KIND:N   raises SIGKILL at the Nth counted call of KIND (rename or fsync, from 1),
//                            before the call; KIND:N:after lets the call happen first
//
// rename, renameat and renameat2 count as renames; fsync and fdatasync as flushes.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

enum Kind
{
    Rename,
    Flush
};

std::atomic<int> g_calls[2];

struct KillAt
{
    int kind = -1;
    int n = 0;
    bool after = false;
};

KillAt ParseKillAt()
{
    KillAt at;
    const char* value = std::getenv("VELMORA_KILL_AT");
    if (!value)
        return at;
    char kind[16] = {};
    char when[16] = {};
    const int fields = std::sscanf(value, "%15[a-z]:%d:%15s", kind, &at.n, when);
    if (fields < 2)
        return at;
    if (std::strcmp(kind, "rename") == 0)
        at.kind = Rename;
    else if (std::strcmp(kind, "fsync") == 0)
        at.kind = Flush;
    at.after = fields == 3 && std::strcmp(when, "after") == 0;
    return at;
}

bool Matches(const char* path)
{
    const char* dir = std::getenv("VELMORA_KILL_MATCH");
    if (!dir || !*dir)
        return true;
    const size_t length = std::strlen(dir);
    return std::strncmp(path, dir, length) == 0 && (path[length] == '\0' || path[length] == '/');
}

// The file an open descriptor stands for ("" when unknown).
void PathOf(int fd, char* path, size_t size)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, size - 1);
    path[n > 0 ? n : 0] = '\0';
}

void Log(Kind kind, const char* from, const char* to)
{
    const char* path = std::getenv("VELMORA_KILL_LOG");
    if (!path)
        return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    char line[4096];
    const int n = kind == Rename ? std::snprintf(line, sizeof line, "rename %s %s\n", from, to)
                                 : std::snprintf(line, sizeof line, "fsync %s\n", from);
    if (n > 0)
        (void)!::write(fd, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
    ::close(fd);
}

// Counts the call and dies before it when it is the one to die at; true when it is to die after it.
bool Before(Kind kind, const char* from, const char* to = "")
{
    if (!Matches(from) && !Matches(to))
        return false;
    const int number = ++g_calls[kind];
    Log(kind, from, to);
    const KillAt at = ParseKillAt();
    if (at.kind == kind && at.n == number && !at.after)
        ::raise(SIGKILL);
    return at.kind == kind && at.n == number;
}

void After(bool dies)
{
    if (dies)
        ::raise(SIGKILL);
}

template <typename F> F Next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int rename(const char* from, const char* to)
{
    static const auto next = Next<int (*)(const char*, const char*)>("rename");
    const bool dies = Before(Rename, from, to);
    const int result = next(from, to);
    After(dies);
    return result;
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static const auto next = Next<int (*)(int, const char*, int, const char*)>("renameat");
    const bool dies = Before(Rename, from, to);
    const int result = next(fromDir, from, toDir, to);
    After(dies);
    return result;
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    static const auto next = Next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    const bool dies = Before(Rename, from, to);
    const int result = next(fromDir, from, toDir, to, flags);
    After(dies);
    return result;
}

int fsync(int fd)
{
    static const auto next = Next<int (*)(int)>("fsync");
    char path[4096];
    PathOf(fd, path, sizeof path);
    const bool dies = Before(Flush, path);
    const int result = next(fd);
    After(dies);
    return result;
}

int fdatasync(int fd)
{
    static const auto next = Next<int (*)(int)>("fdatasync");
    char path[4096];
    PathOf(fd, path, sizeof path);
    const bool dies = Before(Flush, path);
    const int result = next(fd);
    After(dies);
    return result;
}
}
