#include "TestSupport.h"

#include "ReadDrawing.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    // A random name, retried until the folder is a new one.
    std::random_device random;
    for (int i = 0; i < 100 && m_path.empty(); ++i) {
        const fs::path dir =
            fs::temp_directory_path() / ("trevano-test-" + std::to_string(random()));
        if (fs::create_directory(dir)) m_path = dir.generic_string();
    }
    if (m_path.empty()) throw std::runtime_error("no scratch folder");
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
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) {
    return fs::exists(path);
}

std::string ToCrLf(const std::string& lf) {
    std::string out;
    for (char c : lf)
        out += c == '\n' ? "\r\n" : std::string(1, c);
    return out;
}

DrawingBuilder& DrawingBuilder::Code(int code, const std::string& value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d\n", code);
    m_text += buf + value + "\n";
    return *this;
}

DrawingBuilder& DrawingBuilder::Polyline(int nFlags) {
    Code(0, "POLYLINE").Code(8, "0").Code(66, "1").Code(10, "0.0").Code(20, "0.0").Code(30, "0.0");
    return nFlags >= 0 ? Code(70, std::to_string(nFlags)) : *this;
}

DrawingBuilder& DrawingBuilder::Vertex(double x, double y, double z) {
    Code(0, "VERTEX").Code(8, "0");
    char buf[3][32];
    for (int i = 0; i < 3; ++i) // in the C locale, as the tests run
        std::snprintf(buf[i], sizeof buf[i], "%.10g", i == 0 ? x : i == 1 ? y : z);
    return Code(10, buf[0]).Code(20, buf[1]).Code(30, buf[2]);
}

DrawingBuilder& DrawingBuilder::Polyline3D(const std::vector<std::vector<double>>& points,
                                           int nFlags) {
    Polyline(nFlags);
    for (const auto& p : points)
        Vertex(p[0], p[1], p[2]);
    return Seqend();
}

std::string PointsOf(CPolylineList& list) {
    std::string s;
    for (INT32 i = 1; i <= list.GetCount(); ++i)
        for (INT32 k = 1; k <= list.GetAt(i)->GetCount(); ++k) {
            const CVector3& v = list.GetAt(i)->GetVertex(k)->m_Point;
            const char* pszBefore = k > 1 ? "," : i > 1 ? "|" : "";
            char buf[96];
            std::snprintf(buf, sizeof buf, "%s%g %g %g", pszBefore, v.X(), v.Y(), v.Z());
            s += buf;
        }
    return s;
}

std::string LoadPoints(const std::string& path, CPolylineList& list) {
    CDxfFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead)) << path;
    INT32 nPolylines = -1, nPoints = -1, nSum = 0;
    ReadDrawing(file, list, nPolylines, nPoints);
    EXPECT_EQ(list.m_nCurrent, list.GetCount()); // the sort leaves it on the last polyline
    for (INT32 i = 1; i <= list.GetCount(); ++i)
        nSum += list.GetAt(i)->GetCount();
    EXPECT_EQ(nPolylines, list.GetCount());
    EXPECT_EQ(nPoints, nSum);
    return PointsOf(list);
}

ItalianNumbers::ItalianNumbers() : m_previous(std::setlocale(LC_ALL, nullptr)) {
#ifdef _WIN32
    // The C runtime's names of the locale, old and new.
    m_bActive = std::setlocale(LC_ALL, "Italian_Italy.1252") || std::setlocale(LC_ALL, "it-IT");
#else
    // `make test` generates it with localedef.
    m_bActive = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
#endif
    EXPECT_TRUE(m_bActive) << "no Italian locale";
    EXPECT_STREQ(std::localeconv()->decimal_point, m_bActive ? "," : ".");
}

ItalianNumbers::~ItalianNumbers() {
    std::setlocale(LC_ALL, m_previous.c_str());
}

#ifndef _WIN32
int RunCli(const std::vector<std::string>& args, std::string* pStdout, std::string* pStderr,
           CliRun* pRun) {
    ScratchDir scratch;
    const std::string outPath = scratch.File("stdout"), errPath = scratch.File("stderr");
    std::vector<std::string> copy = args;
    std::vector<char*> argv{const_cast<char*>(TREVANO_CLI_PATH)};
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(outPath.c_str(), "w", stdout) ||
            !std::freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        if (pRun && pRun->beforeExec) pRun->beforeExec();
        execv(TREVANO_CLI_PATH, argv.data());
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
