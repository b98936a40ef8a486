#include "console/lint_command.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "console/lint_output.h"
#include "console/quiet_dialog.h"
#include "registry/memory_registry.h"
#include "script/interpreter.h"

namespace zevo {

namespace {

class NoProcess : public ProcessHost {
public:
    RunTime LocalTime() override { return RunTime(); }
    void StartProgram(const std::string&) override {}
    void ExitProcess(int) override {}
};

// A path that names a drive or a share: only Windows can tell whether it exists.
bool OnlyWindowsCanCheck(const std::string& path)
{
#ifdef _WIN32
    (void)path;
    return false;
#else
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
#endif
}

// Answers which files exist through the platform and changes nothing. A
// hand-over this system cannot check is remembered by its line, so that the
// run's "no such file" becomes "not followed" there.
class LintFiles : public FileOperations {
public:
    LintFiles(FileOperations& lookup, const Diagnostics& diagnostics)
        : m_lookup(lookup), m_diagnostics(diagnostics)
    {
    }

    bool MatchesFile(const std::string& path) override
    {
        if (m_lookup.MatchesFile(path))
            return true;
        if (OnlyWindowsCanCheck(path))
            m_notChecked.emplace(m_diagnostics.File(), m_diagnostics.Line());
        return false;
    }
    std::string FullPath(const std::string& path) override { return m_lookup.FullPath(path); }
    FileResult CopyFiles(const std::string&, const std::string&) override { return FileResult::NothingToDo; }
    FileResult DeleteFiles(const std::string&) override { return FileResult::NothingToDo; }
    FileResult MakeDirectory(const std::string&) override { return FileResult::NothingToDo; }
    FileResult RemoveEmptyDirectory(const std::string&) override { return FileResult::NothingToDo; }

    void RelabelNotChecked(std::vector<Finding>& findings) const
    {
        for (Finding& f : findings) {
            if (f.rule == "handover-missing" && m_notChecked.count({f.file, f.line}) != 0) {
                f.rule = "handover-not-followed";
                f.message = MixedText("This path can only be checked on Windows: lint does not follow "
                                      "the hand-over, and the run goes on there if the file exists.");
            }
        }
    }

private:
    FileOperations& m_lookup;
    const Diagnostics& m_diagnostics;
    std::set<std::pair<std::string, int>> m_notChecked;
};

// Carries one data file, and the files it hands over to, through a run that
// changes nothing, with every condition taken as holding.
void LintFile(const std::string& path, const CodePage& cp, FileOperations& lookup,
              std::vector<Finding>& findings, std::vector<std::string>& unreadable)
{
    Diagnostics diagnostics;
    LintFiles files(lookup, diagnostics);
    QuietDialog dialog;
    NoProcess process;
    MemoryRegistry registry(cp);
    RunState state;
    state.m_strDataFile = path;
    state.m_bVerify = true;
    Interpreter interpreter(state, registry, cp, dialog, process, files);
    interpreter.SetReadOnly(true);
    interpreter.SetIgnoreConditions(true);
    interpreter.SetDiagnostics(&diagnostics);
    if (interpreter.StartRun()) {
        while (interpreter.ProcessEntry() == 1) {
        }
    }
    interpreter.FinishRun(false);

    std::vector<Finding> found = diagnostics.Findings();
    files.RelabelNotChecked(found);
    findings.insert(findings.end(), found.begin(), found.end());
    unreadable.insert(unreadable.end(), diagnostics.Unreadable().begin(), diagnostics.Unreadable().end());
}

}  // namespace

int RunLint(const std::vector<std::string>& paths, LintFormat format, const CodePage& cp,
            FileOperations& lookup, ConsoleOutput& out)
{
    std::vector<Finding> all;
    std::vector<std::string> unreadable;
    for (const std::string& path : paths)
        LintFile(path, cp, lookup, all, unreadable);

    // A file that two of the given files reach is reported once; each
    // file's findings in the order of its lines.
    std::vector<Finding> findings;
    std::set<std::tuple<std::string, int, int, std::string>> seen;
    std::vector<std::string> files;
    for (const Finding& f : all) {
        if (seen.emplace(f.file, f.line, f.column, f.rule).second)
            findings.push_back(f);
        if (std::find(files.begin(), files.end(), f.file) == files.end())
            files.push_back(f.file);
    }
    const auto place = [&files](const Finding& f) {
        return std::make_tuple(std::find(files.begin(), files.end(), f.file) - files.begin(), f.line, f.column);
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&place](const Finding& a, const Finding& b) { return place(a) < place(b); });

    switch (format) {
    case LintFormat::Text:
        out.Out(FindingsAsText(findings, out));
        break;
    case LintFormat::Json:
        out.Out(FindingsAsJsonLines(findings, out));
        break;
    case LintFormat::Sarif:
        out.Out(FindingsAsSarif(findings, out));
        break;
    }
    std::set<std::string> told;
    for (const std::string& path : unreadable) {
        if (told.insert(path).second)
            out.Err(out.FromProgram("zevoc: cannot read ") + path + "\n");
    }
    if (!unreadable.empty())
        return 2;
    return findings.empty() ? 0 : 1;
}

}  // namespace zevo
