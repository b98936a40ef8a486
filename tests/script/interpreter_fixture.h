// Runs whole data files through the interpreter against each registry with
// recording hosts. Each test has a folder of its own as the current folder,
// so that the upper-cased relative names of directives find the files there.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../registry/registry_fixture.h"
#include "recording_hosts.h"
#include "script/interpreter.h"

namespace zevo::test {

class InterpreterTest : public RegistryTest {
protected:
    void SetUp() override;
    void TearDown() override
    {
        m_interpreter.reset();
        std::filesystem::current_path(m_previousFolder);
    }
    // "$K" in a text stands for the scratch key's full name.
    std::string Expand(std::string text) const
    {
        for (size_t pos; (pos = text.find("$K")) != std::string::npos;)
            text.replace(pos, 2, "HKEY_CURRENT_USER\\" + m_scratch->BasePath());
        return text;
    }
    // Writes a file (after Expand) into the test's folder.
    void WriteDataFile(const std::string& name, const std::string& text)
    {
        std::ofstream(name, std::ios::binary) << Expand(text);
    }
    // Runs RUN.ZVD (written from `text`) to its end or to the end of the
    // process; returns the entries handled.
    int Run(const std::string& text, bool writeLog = false);
    // The value below the scratch key as "type:bytes", "missing" or "no key".
    std::string Stored(const std::string& keyPath, const std::string& name);
    // What a run did, in one line: the choices that differ from a fresh
    // state's, files left open, the calls recorded since the last look, the
    // changed items after the data file's own line and the message pane.
    std::string Outcome();

    const CodePage m_cp = CodePage::ShiftJis();
    RunState m_state;
    RecordingDialog m_dialog;
    RecordingProcess m_process;
    RecordingFiles m_files;
    std::unique_ptr<Interpreter> m_interpreter;
    std::filesystem::path m_previousFolder;
};

}  // namespace zevo::test
