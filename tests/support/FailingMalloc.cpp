// Preloaded into a program under test: the allocation numbered TREVANO_FAIL_ALLOCATION (1 for
// the first after start-up) fails once, as if the system had no memory left at that moment;
// every other one goes through. With 0 nothing fails, and at exit the number of allocations the
// run made is written to standard error. A sweep over every number makes every allocation of a
// run fail in turn.
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
}

namespace {

long g_nFailAt = -1; // -1 until the constructor has read the environment: count nothing
long g_nCount = 0;

// Sets errno as the system's allocator does: the C library's own callers (a thread's stack and
// its thread-local storage) check it.
bool FailThisOne() {
    if (g_nFailAt < 0 || ++g_nCount != g_nFailAt) return false;
    errno = ENOMEM;
    return true;
}

__attribute__((constructor)) void ReadEnvironment() {
    const char* psz = std::getenv("TREVANO_FAIL_ALLOCATION");
    g_nFailAt = psz ? std::atol(psz) : -1;
}

__attribute__((destructor)) void ReportCount() {
    if (g_nFailAt == 0) std::fprintf(stderr, "%ld\n", g_nCount);
    g_nFailAt = -1;
}

} // namespace

extern "C" void* malloc(size_t n) {
    return FailThisOne() ? nullptr : __libc_malloc(n);
}

extern "C" void* calloc(size_t n, size_t size) {
    return FailThisOne() ? nullptr : __libc_calloc(n, size);
}

extern "C" void* realloc(void* p, size_t n) {
    return FailThisOne() ? nullptr : __libc_realloc(p, n);
}
