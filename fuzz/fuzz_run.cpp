// Whole data files run through the interpreter against the in-memory
// registry, with recording hosts. The input is one data file, or two
// separated by a line "#B#" (the first can hand over to the second with
// /F "B.ZVD"); its first byte chooses History, Verify, Log and the answer
// to message boxes, or a run as lint makes it. Files are kept to plain names
// in a private folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tests/script/recording_hosts.h"
#include "registry/memory_registry.h"
#include "script/interpreter.h"

using namespace zevo;

namespace {

// Only plain names in the current folder: a directive's path can never
// reach a file outside the sandbox.
std::FILE* OpenInSandbox(const std::string& path, TextFile::Mode mode)
{
    if (path.empty() || path.size() > 40)
        return nullptr;
    for (char c : path) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
                     c == '_';
        if (!plain)
            return nullptr;
    }
    if (path[0] == '.')
        return nullptr;
    return std::fopen(path.c_str(), mode == TextFile::Mode::Read            ? "rb"
                                    : mode == TextFile::Mode::WriteTruncate ? "wb"
                                                                            : "ab");
}

class SandboxFiles : public test::RecordingFiles {
public:
    bool MatchesFile(const std::string& path) override
    {
        std::FILE* file = OpenInSandbox(path, TextFile::Mode::Read);
        if (file != nullptr)
            std::fclose(file);
        return file != nullptr;
    }
};

void WriteFile(const char* name, const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void EnterSandbox()
{
    static bool entered = false;
    if (entered)
        return;
    char folder[] = "/tmp/zevo-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0)
        std::abort();
    TextFile::SetOpenFunction(OpenInSandbox);
    entered = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    EnterSandbox();
    const uint8_t options = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t split = text.find("\n#B#\n");
    std::string first = split == std::string::npos ? text : text.substr(0, split);
    std::string second = split == std::string::npos ? std::string() : text.substr(split + 5);
    WriteFile("A.ZVD", reinterpret_cast<const uint8_t*>(first.data()), first.size());
    WriteFile("B.ZVD", reinterpret_cast<const uint8_t*>(second.data()), second.size());
    std::remove("H.ZVH");

    static const CodePage cp = CodePage::ShiftJis();
    MemoryRegistry registry(cp);
    RunState state;
    test::RecordingDialog dialog;
    test::RecordingProcess process;
    SandboxFiles files;
    dialog.confirmAnswer = (options & 8) != 0;
    state.m_strDataFile = "A.ZVD";
    state.m_bHistory = (options & 1) != 0;
    state.m_strHistoryFile = "H.ZVH";
    state.m_bVerify = (options & 2) != 0;
    state.m_bLog = (options & 4) != 0;
    state.m_strLogFile = "L.ZVL";
    // Bit 16: as lint runs a file, read-only with the conditions ignored and a diagnostics sink.
    const bool lint = (options & 16) != 0;
    state.m_bVerify = state.m_bVerify || lint;
    Diagnostics diagnostics;
    {
        Interpreter interpreter(state, registry, cp, dialog, process, files);
        interpreter.SetReadOnly(lint);
        interpreter.SetIgnoreConditions(lint);
        interpreter.SetDiagnostics(lint ? &diagnostics : nullptr);
        if (!interpreter.StartRun())
            __builtin_trap();
        long entries = 0;
        while (interpreter.ProcessEntry() == 1) {
            if (++entries > 1000000)
                __builtin_trap();  // a run must end
        }
        interpreter.FinishRun(state.m_bLog);
        if (interpreter.DataFileOpen() || interpreter.HistoryFileOpen())
            __builtin_trap();
        if (state.m_strChangedItems.compare(0, 12, "File=A.ZVD\r\n") != 0)
            __builtin_trap();
        // Only the current key may stay open after a run.
        if (registry.OpenHandleCount() > 1)
            __builtin_trap();
    }
    for (const Finding& finding : diagnostics.Findings()) {
        // A file may hand over to any file an earlier input left in the sandbox.
        if (finding.line < 1 || finding.column < 1 || finding.file.empty())
            __builtin_trap();
    }
    if (registry.OpenHandleCount() != 0)
        __builtin_trap();
    return 0;
}
