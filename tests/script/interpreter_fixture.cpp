#include "interpreter_fixture.h"

#include <utility>

#include "../test_files.h"

namespace zevo::test {

void InterpreterTest::SetUp()
{
    RegistryTest::SetUp();
    static int tests = 0;  // a folder of its own for each test
    std::filesystem::create_directories(ScratchPath(std::to_string(++tests)));
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(ScratchPath(std::to_string(tests)));
    m_interpreter = std::make_unique<Interpreter>(m_state, Reg(), m_cp, m_dialog, m_process, m_files);
    m_state.m_strDataFile = "RUN.ZVD";
    m_state.m_bControlsUnlocked = true;  // as a run from the dialog finds them
}

int InterpreterTest::Run(const std::string& text, bool writeLog)
{
    WriteDataFile("RUN.ZVD", text);
    if (!m_interpreter->StartRun())
        return -1;
    int entries = 0;
    while (m_interpreter->ProcessEntry() == 1 && ++entries < 100000) {
    }
    if (!m_interpreter->ProcessEnded())  // where the program ends, there
        m_interpreter->FinishRun(writeLog);
    return entries;
}

std::string InterpreterTest::Stored(const std::string& keyPath, const std::string& name)
{
    KeyHandle key = 0;
    if (Reg().OpenKey(Base(), keyPath, &key) != kErrorSuccess)
        return "no key";
    const std::string value = Get(key, name, 4096);
    Reg().CloseKey(key);
    return value.compare(0, 6, "error ") == 0 ? "missing" : value;
}

std::string InterpreterTest::Outcome()
{
    const RunState& s = m_state;
    std::vector<std::string> items = {
        s.m_nRestartMode != 0 ? "restart " + std::to_string(s.m_nRestartMode) : "", s.m_bExitAtEnd ? "exit" : "",
        s.m_bVerify ? "verify" : "", s.m_bVerifyByData ? "by data" : "", s.m_bTrackChanges ? "track" : "",
        s.m_bChangesSeen ? "changes seen" : "", s.m_bLog ? "log" : "", s.m_strLogFile, s.m_bHistory ? "history" : "",
        s.m_bControlsUnlocked ? "" : "locked", s.m_bActive ? "" : "inactive",
        m_interpreter->HistoryFileOpen() ? "history file open" : "",
        m_interpreter->DataFileOpen() ? "data file open" : ""};
    for (auto* calls : {&m_dialog.calls, &m_process.calls, &m_files.calls}) {
        for (const std::string& call : std::exchange(*calls, {}))
            items.push_back(call);
    }
    items.push_back(s.m_strChangedItems.substr(s.m_strChangedItems.find('\n') + 1));
    items.push_back(s.m_strText.Joined());
    std::string out;
    for (const std::string& item : items)
        out += item.empty() ? "" : (out.empty() ? "" : "; ") + item;
    return out;
}

}  // namespace zevo::test
