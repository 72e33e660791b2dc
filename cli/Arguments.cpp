#include "Arguments.h"

#include <cstdio>
#include <cstring>

bool TakeValue(const char* pszName, int argc, char** argv, int& i, std::string& value,
               bool& bMissing) {
    const std::string arg = argv[i];
    const size_t n = std::strlen(pszName);
    if (arg.compare(0, n, pszName) != 0 || (arg.size() > n && arg[n] != '=')) return false;
    bMissing = false;
    if (arg.size() > n)
        value = arg.substr(n + 1);
    else if (i + 1 < argc)
        value = argv[++i];
    else
        bMissing = true;
    return true;
}

int UsageError(const char* pszWhat, const char* pszArg) {
    std::fprintf(stderr, "trevano-cli: %s%s%s\nProva 'trevano-cli --help' per l'uso.\n", pszWhat,
                 pszArg ? ": " : "", pszArg ? pszArg : "");
    return 2;
}
