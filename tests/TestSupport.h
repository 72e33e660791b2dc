// Helpers shared by the tests: scratch folders, whole-file reads and writes, drawings built
// in memory, and the Italian number locale.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Turns every LF into CR LF.
std::string ToCrLf(const std::string& lf);

// A drawing written the way AutoCAD writes R12: group codes right-aligned in three
// characters, CR LF line ends unless asked otherwise.
class DrawingBuilder {
public:
    DrawingBuilder& Code(int code, const std::string& value);
    DrawingBuilder& Raw(const std::string& text); // appended as it stands
    DrawingBuilder& BeginEntities();
    DrawingBuilder& EndEntities();
    // A POLYLINE with its flags (omitted when < 0) and, when bExtrusion, the 210/220/230 codes.
    DrawingBuilder& Polyline(int nFlags = -1, bool bExtrusion = false, double ex = 0, double ey = 0,
                             double ez = 1);
    DrawingBuilder& Vertex(double x, double y, double z);
    DrawingBuilder& Seqend();
    // One whole polyline: header, vertices, SEQEND.
    DrawingBuilder& Polyline3D(const std::vector<std::vector<double>>& points, int nFlags = 8);
    std::string Lf() const { return m_text; }
    std::string CrLf() const { return ToCrLf(m_text); }

private:
    std::string m_text; // LF form; CrLf() converts
};

// The drawings of the corpus folder beside the project, or "" when it is absent.
std::string CorpusDir();

// Switches LC_ALL to the Italian locale, whose decimal separator is a comma, for the lifetime
// of the object. The test set-up generates it; a missing locale fails the test.
class ItalianNumbers {
public:
    ItalianNumbers();
    ~ItalianNumbers();
    bool Active() const { return m_bActive; }

private:
    bool m_bActive = false;
    std::string m_previous;
};

// What a run of trevano-cli may change in the child before the program starts, and what the
// run cost.
struct CliRun {
    std::function<void()> beforeExec; // runs in the child: limits, another user
    long nMaxRssKb = 0;               // the child's peak resident memory, filled in
};

// Runs trevano-cli with the arguments; returns the exit status (128 + the signal when one ended
// it) and fills what it printed.
int RunCli(const std::vector<std::string>& args, std::string* pStdout = nullptr,
           std::string* pStderr = nullptr, CliRun* pRun = nullptr);
