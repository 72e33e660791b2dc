#include "TestSupport.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <random>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
#ifdef _WIN32
    // No mkdtemp: a random name, retried until the folder is a new one.
    std::random_device random;
    for (int i = 0; i < 100 && m_path.empty(); ++i) {
        const fs::path dir =
            fs::temp_directory_path() / ("trevano-test-" + std::to_string(random()));
        if (fs::create_directory(dir)) m_path = dir.generic_string();
    }
    if (m_path.empty()) throw std::runtime_error("no scratch folder");
#else
    std::string pattern = (fs::temp_directory_path() / "trevano-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    m_path = buf.data();
#endif
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Folders a test made unwritable must become writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

std::string ToCrLf(const std::string& lf) {
    std::string out;
    out.reserve(lf.size() + lf.size() / 8);
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

namespace {

std::string Number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v); // tests run in the C locale here
    return buf;
}

} // namespace

DrawingBuilder& DrawingBuilder::Code(int code, const std::string& value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", code);
    m_text += buf;
    m_text += '\n';
    m_text += value;
    m_text += '\n';
    return *this;
}

DrawingBuilder& DrawingBuilder::Raw(const std::string& text) {
    m_text += text;
    return *this;
}

DrawingBuilder& DrawingBuilder::BeginEntities() {
    return Code(0, "SECTION").Code(2, "ENTITIES");
}

DrawingBuilder& DrawingBuilder::EndEntities() {
    return Code(0, "ENDSEC").Code(0, "EOF");
}

DrawingBuilder& DrawingBuilder::Polyline(int nFlags, bool bExtrusion, double ex, double ey,
                                         double ez) {
    Code(0, "POLYLINE").Code(8, "0").Code(66, "1");
    Code(10, "0.0").Code(20, "0.0").Code(30, "0.0");
    if (nFlags >= 0) Code(70, std::to_string(nFlags));
    if (bExtrusion) Code(210, Number(ex)).Code(220, Number(ey)).Code(230, Number(ez));
    return *this;
}

DrawingBuilder& DrawingBuilder::Vertex(double x, double y, double z) {
    return Code(0, "VERTEX")
        .Code(8, "0")
        .Code(10, Number(x))
        .Code(20, Number(y))
        .Code(30, Number(z));
}

DrawingBuilder& DrawingBuilder::Seqend() {
    return Code(0, "SEQEND").Code(8, "0");
}

DrawingBuilder& DrawingBuilder::Polyline3D(const std::vector<std::vector<double>>& points,
                                           int nFlags) {
    Polyline(nFlags);
    for (const auto& p : points)
        Vertex(p[0], p[1], p[2]);
    return Seqend();
}

std::string CorpusDir() {
    fs::path dir = fs::path(TREVANO_SOURCE_DIR) / ".." / "shared" / "corpus";
    return fs::is_directory(dir) ? dir.lexically_normal().string() : std::string();
}

ItalianNumbers::ItalianNumbers() {
    const char* pCurrent = std::setlocale(LC_ALL, nullptr);
    m_previous = pCurrent ? pCurrent : "C";
#ifdef _WIN32
    // The C runtime's names of the locale, old and new.
    m_bActive = std::setlocale(LC_ALL, "Italian_Italy.1252") != nullptr ||
                std::setlocale(LC_ALL, "it-IT") != nullptr;
    EXPECT_TRUE(m_bActive) << "the C runtime knows no Italian locale";
#else
    m_bActive = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
    EXPECT_TRUE(m_bActive) << "the it_IT.UTF-8 locale is missing; `make test` generates it "
                              "with localedef";
#endif
    if (m_bActive) {
        EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    }
}

ItalianNumbers::~ItalianNumbers() {
    std::setlocale(LC_ALL, m_previous.c_str());
}

#ifdef _WIN32
namespace {

// One argument of a command line as the C runtime splits it again: quoted, with the
// backslashes before a quote doubled.
std::string QuoteArgument(const std::string& arg) {
    std::string quoted = "\"";
    size_t nBackslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++nBackslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * nBackslashes + 1 : nBackslashes, '\\');
        nBackslashes = 0;
        quoted += c;
    }
    quoted.append(2 * nBackslashes, '\\');
    return quoted + "\"";
}

} // namespace

// No fork: the child inherits our standard output and error, pointed at the files meanwhile.
int RunCli(const std::vector<std::string>& args, std::string* pStdout, std::string* pStderr,
           CliRun*) {
    ScratchDir scratch;
    const std::string outPath = scratch.File("stdout"), errPath = scratch.File("stderr");
    std::fflush(stdout);
    std::fflush(stderr);
    const int nSavedOut = _dup(1), nSavedErr = _dup(2);
    const int nOut = _open(outPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0666);
    const int nErr = _open(errPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0666);
    _dup2(nOut, 1);
    _dup2(nErr, 2);
    _close(nOut);
    _close(nErr);
    std::vector<std::string> quoted{QuoteArgument(TREVANO_CLI_PATH)};
    for (const std::string& a : args)
        quoted.push_back(QuoteArgument(a));
    std::vector<const char*> argv;
    for (const std::string& q : quoted)
        argv.push_back(q.c_str());
    argv.push_back(nullptr);
    const intptr_t status = _spawnv(_P_WAIT, TREVANO_CLI_PATH, argv.data());
    _dup2(nSavedOut, 1);
    _dup2(nSavedErr, 2);
    _close(nSavedOut);
    _close(nSavedErr);
    if (pStdout) *pStdout = ReadWholeFile(outPath);
    if (pStderr) *pStderr = ReadWholeFile(errPath);
    return status < 0 ? 127 : static_cast<int>(status);
}
#else
int RunCli(const std::vector<std::string>& args, std::string* pStdout, std::string* pStderr,
           CliRun* pRun) {
    ScratchDir scratch;
    const std::string outPath = scratch.File("stdout"), errPath = scratch.File("stderr");
    pid_t pid = fork();
    if (pid == 0) {
        std::FILE* out = std::freopen(outPath.c_str(), "w", stdout);
        std::FILE* err = std::freopen(errPath.c_str(), "w", stderr);
        if (!out || !err) _exit(127);
        if (pRun && pRun->beforeExec) pRun->beforeExec();
        std::vector<char*> argv;
        std::string cli = TREVANO_CLI_PATH;
        argv.push_back(cli.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(cli.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (pRun) pRun->nMaxRssKb = usage.ru_maxrss;
    if (pStdout) *pStdout = ReadWholeFile(outPath);
    if (pStderr) *pStderr = ReadWholeFile(errPath);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
#endif
