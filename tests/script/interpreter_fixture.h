// Runs whole data files through the interpreter against a scratch registry
// (in memory, and the real one on Windows) with recording hosts. Data files
// are written to the scratch folder, which is the current folder during a
// test, so that upper-cased relative names from directives find them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../registry/registry_fixture.h"
#include "recording_hosts.h"
#include "script/interpreter.h"

namespace zevo::test {

class InterpreterTest : public ::testing::TestWithParam<RegistryFactory> {
protected:
    void SetUp() override;
    void TearDown() override;

    // "$K" in a text stands for the scratch key's full name.
    std::string Expand(std::string text) const;
    // Writes a data file (after Expand) into the scratch folder.
    void WriteDataFile(const std::string& name, const std::string& text);
    // Runs RUN.ZVD (written from `text`) to its end; returns the entries handled.
    int Run(const std::string& text, bool writeLog = false);
    // The value below the scratch key as "type:bytes", "missing" or "no key".
    std::string Stored(const std::string& keyPath, const std::string& name);
    bool KeyExists(const std::string& keyPath);

    const CodePage m_cp = CodePage::ShiftJis();
    std::unique_ptr<ScratchRegistry> m_scratch;
    RunState m_state;
    RecordingDialog m_dialog;
    RecordingProcess m_process;
    RecordingFiles m_files;
    std::unique_ptr<Interpreter> m_interpreter;
    std::filesystem::path m_previousFolder;
};

}  // namespace zevo::test
