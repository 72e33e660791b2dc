// Helpers shared by the tests: scratch folders, whole-file reads and writes, drawings built
// in memory, the Italian number locale, and runs of trevano-cli.
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
    DrawingBuilder& BeginEntities() { return Code(0, "SECTION").Code(2, "ENTITIES"); }
    DrawingBuilder& EndEntities() { return Code(0, "ENDSEC").Code(0, "EOF"); }
    // A POLYLINE header with its flags, omitted when < 0.
    DrawingBuilder& Polyline(int nFlags = -1);
    DrawingBuilder& Vertex(double x, double y, double z);
    DrawingBuilder& Seqend() { return Code(0, "SEQEND").Code(8, "0"); }
    // One whole polyline: header, vertices, SEQEND.
    DrawingBuilder& Polyline3D(const std::vector<std::vector<double>>& points, int nFlags = 8);
    std::string Lf() const { return m_text; }
    std::string CrLf() const { return ToCrLf(m_text); }

private:
    std::string m_text; // LF form; CrLf() converts
};

class CPolylineList;
// Every point of the list: "x y z" ("%g"), "," between vertices and "|" between polylines.
std::string PointsOf(CPolylineList& list);
// Loads the drawing at path into the list and gives its points; the counts the load gives must
// agree with what the list holds.
std::string LoadPoints(const std::string& path, CPolylineList& list);

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
// it) and fills what it printed. POSIX only: the Windows converter is run by tests/windows/run.sh.
int RunCli(const std::vector<std::string>& args, std::string* pStdout = nullptr,
           std::string* pStderr = nullptr, CliRun* pRun = nullptr);
