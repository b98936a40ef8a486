#include "interpreter_fixture.h"

#include <fstream>
#include <vector>

#include "../test_files.h"

namespace zevo::test {

void InterpreterTest::SetUp()
{
    m_scratch = GetParam().make();
    // A folder of its own for each test, so that no file outlives its test.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    std::filesystem::path folder = std::filesystem::path(ScratchFolder()) / name;
    std::filesystem::create_directories(folder);
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    m_interpreter = std::make_unique<Interpreter>(m_state, m_scratch->Reg(), m_cp, m_dialog,
                                                  m_process, m_files);
    m_state.m_strDataFile = "RUN.ZVD";
}

void InterpreterTest::TearDown()
{
    m_interpreter.reset();
    std::filesystem::current_path(m_previousFolder);
}

std::string InterpreterTest::Expand(std::string text) const
{
    const std::string base = "HKEY_CURRENT_USER\\" + m_scratch->BasePath();
    for (size_t pos = text.find("$K"); pos != std::string::npos; pos = text.find("$K", pos))
        text.replace(pos, 2, base);
    return text;
}

void InterpreterTest::WriteDataFile(const std::string& name, const std::string& text)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    const std::string bytes = Expand(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int InterpreterTest::Run(const std::string& text, bool writeLog)
{
    WriteDataFile("RUN.ZVD", text);
    if (!m_interpreter->StartRun())
        return -1;
    int entries = 0;
    while (m_interpreter->ProcessEntry() == 1) {
        if (++entries > 100000) {
            ADD_FAILURE() << "the run does not end";
            break;
        }
    }
    m_interpreter->FinishRun(writeLog);
    return entries;
}

std::string InterpreterTest::Stored(const std::string& keyPath, const std::string& name)
{
    Registry& registry = m_scratch->Reg();
    KeyHandle key = 0;
    if (registry.OpenKey(m_scratch->Base(), keyPath, &key) != kErrorSuccess)
        return "no key";
    std::vector<uint8_t> buffer(200000);
    uint32_t type = 0, size = static_cast<uint32_t>(buffer.size());
    long rc = registry.QueryValue(key, name, &type, buffer.data(), &size);
    registry.CloseKey(key);
    if (rc != kErrorSuccess)
        return "missing";
    return std::to_string(type) + ":" + std::string(buffer.begin(), buffer.begin() + size);
}

bool InterpreterTest::KeyExists(const std::string& keyPath)
{
    KeyHandle key = 0;
    if (m_scratch->Reg().OpenKey(m_scratch->Base(), keyPath, &key) != kErrorSuccess)
        return false;
    m_scratch->Reg().CloseKey(key);
    return true;
}

}  // namespace zevo::test
