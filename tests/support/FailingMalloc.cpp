// Preloaded into a program under test: the allocation numbered TREVANO_FAIL_ALLOCATION (1 for
// the first after start-up) fails once, as if the system had no memory left at that moment;
// every other one goes through. TREVANO_COUNT_ALLOCATIONS names a file that receives, at exit,
// how many allocations the run made. A sweep over every number makes every allocation of a run
// fail in turn.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

long g_nFailAt = -1; // -1 until the constructor has read the environment: count nothing
long g_nCount = 0;
const char* g_pszCountFile = nullptr;

bool FailThisOne() {
    if (g_nFailAt < 0) return false;
    return ++g_nCount == g_nFailAt;
}

__attribute__((constructor)) void ReadEnvironment() {
    const char* psz = std::getenv("TREVANO_FAIL_ALLOCATION");
    g_pszCountFile = std::getenv("TREVANO_COUNT_ALLOCATIONS");
    g_nFailAt = psz ? std::atol(psz) : 0;
}

__attribute__((destructor)) void WriteCount() {
    if (!g_pszCountFile) return;
    const long n = g_nCount;
    g_nFailAt = -1;
    if (std::FILE* f = std::fopen(g_pszCountFile, "w")) {
        std::fprintf(f, "%ld\n", n);
        std::fclose(f);
    }
}

} // namespace

extern "C" {

void* malloc(size_t n) {
    return FailThisOne() ? nullptr : __libc_malloc(n);
}

void* calloc(size_t n, size_t size) {
    return FailThisOne() ? nullptr : __libc_calloc(n, size);
}

void* realloc(void* p, size_t n) {
    return FailThisOne() ? nullptr : __libc_realloc(p, n);
}

void* aligned_alloc(size_t alignment, size_t n) {
    return FailThisOne() ? nullptr : __libc_memalign(alignment, n);
}

int posix_memalign(void** pp, size_t alignment, size_t n) {
    if (FailThisOne()) return 12; // ENOMEM
    void* p = __libc_memalign(alignment, n);
    if (!p) return 12;
    *pp = p;
    return 0;
}
}
