// Runs zevo.exe (beside this test program) on data files that end the
// program, then checks its exit code, the registry and the files it wrote.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "test_files.h"
#include "zevo_process.h"

namespace {

const DWORD kTimeoutMilliseconds = 30000;
const char kKey[] = "Software\\ZevoBlackBox";

struct Outcome {
    bool ended = false;
    DWORD exitCode = 0;
};

// Starts zevo.exe with the given argument text and waits for it to end;
// a program still running after the timeout is ended and reported.
Outcome RunZevo(const std::string& arguments)
{
    Outcome outcome;
    ZevoProcess zevo(arguments);
    if (!zevo.Started()) {
        ADD_FAILURE() << "cannot start zevo.exe: " << GetLastError();
        return outcome;
    }
    outcome.ended = zevo.Wait(kTimeoutMilliseconds);
    if (outcome.ended)
        outcome.exitCode = zevo.ExitCode();
    return outcome;
}

std::string WriteFile(const std::string& name, const std::string& bytes)
{
    return zevo::test::WriteScratchFile(name, bytes);
}

// The value as "type:bytes", or "missing".
std::string Value(const std::string& subKey, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + subKey).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return "missing";
    std::vector<BYTE> data(4096);
    DWORD type = 0, size = static_cast<DWORD>(data.size());
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return "missing";
    return std::to_string(type) + ":" + std::string(data.begin(), data.begin() + size);
}

class ZevoExeTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
};

TEST_F(ZevoExeTest, RunsTheCommandLineDataFileAndEnds)
{
    const std::string log = zevo::test::ScratchPath("run.zvl");
    const std::string history = zevo::test::ScratchPath("run.zvh");
    const std::string data = WriteFile(
        "run.zvd",
        "REGEDIT4\r\n"
        "/L=\"" + log + "\"\r\n"
        "/LH=\"" + history + "\"\r\n"
        "/T\r\n"
        "[HKEY_CURRENT_USER\\Software\\ZevoBlackBox\\App]\r\n"
        "\"Name\"=\"Sample\"\r\n"
        "\"Count\"=dword:00000010\r\n"
        "\"Data\"=hex:01,02,\\\r\n  03\r\n");
    Outcome outcome = RunZevo("\"" + data + "\"");
    ASSERT_TRUE(outcome.ended) << "the program must end by itself after /T";
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(Value("\\App", "Name"), std::string("1:Sample\0", 9));
    EXPECT_EQ(Value("\\App", "Count"), std::string("4:\x10\0\0\0", 6));
    EXPECT_EQ(Value("\\App", "Data"), "3:\x01\x02\x03");
    // A Fast run writes its log whenever Log is on: every line ends in CR CR LF.
    std::string upperLog = zevo::test::ReadWholeFile(log);
    EXPECT_NE(upperLog.find("\\App \"Count\"\r\r\n"), std::string::npos) << upperLog;
    EXPECT_EQ(upperLog.rfind("File=", 0), 0u);
    std::string records = zevo::test::ReadWholeFile(history);
    EXPECT_EQ(records.rfind("<< ", 0), 0u);
    EXPECT_NE(records.find("]Name\r\n(Old)\r\n(New)Sample\r\n\r\n"), std::string::npos) << records;
}

TEST_F(ZevoExeTest, UnquotedPathWithBlanksAndQuitWithoutAsking)
{
    CreateDirectoryA(zevo::test::ScratchPath("with blank").c_str(), nullptr);
    const std::string data = WriteFile("with blank\\quit.zvd",
                                       "[HKEY_CURRENT_USER\\Software\\ZevoBlackBox]\r\n"
                                       "\"before\"=\"1\"\r\n"
                                       "/QN\r\n"
                                       "\"after\"=\"2\"\r\n");
    Outcome outcome = RunZevo(data);
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(Value("", "before"), std::string("1:1\0", 4));
    EXPECT_EQ(Value("", "after"), "missing");
}

TEST_F(ZevoExeTest, RestartRequestSkippedRightAfterARestart)
{
    // "LOOP" = "L": the previous run restarted Windows, so this one must not.
    HKEY settings = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO", &settings), ERROR_SUCCESS);
    RegSetValueExA(settings, "LOOP", 0, REG_SZ, reinterpret_cast<const BYTE*>("L"), 1);
    const std::string data = WriteFile("restart.zvd",
                                       "/Z\r\n/EY\r\n/T\r\n"
                                       "[HKEY_CURRENT_USER\\Software\\ZevoBlackBox]\r\n"
                                       "\"changed\"=\"yes\"\r\n");
    Outcome outcome = RunZevo(data);
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0u);
    char loop[16] = "";
    DWORD size = sizeof loop - 1;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(settings, "LOOP", nullptr, &type, reinterpret_cast<BYTE*>(loop), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(loop, "N");
    RegCloseKey(settings);
    EXPECT_EQ(Value("", "changed"), std::string("1:yes\0", 6));
}

TEST_F(ZevoExeTest, DefaultDataFileInTheSystemDriveRoot)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string path = std::string(system).substr(0, 3) + "regdata.zvd";
    std::ofstream(path, std::ios::binary) << "/T\r\n[HKEY_CURRENT_USER\\Software\\ZevoBlackBox]\r\n"
                                              "\"default\"=\"found\"\r\n";
    Outcome outcome = RunZevo("");
    DeleteFileA(path.c_str());
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(Value("", "default"), std::string("1:found\0", 8));
}

TEST_F(ZevoExeTest, AKilledRunKeepsTheRecordOfEveryValueWritten)
{
    const int kValues = 20000;
    const std::string history = zevo::test::ScratchPath("killed.zvh");
    std::string data = "/LH=\"" + history + "\"\r\n[HKEY_CURRENT_USER\\Software\\ZevoBlackBox]\r\n";
    std::vector<std::string> records;
    for (int i = 0; i < kValues; ++i) {
        const std::string n = std::to_string(i);
        data += "\"v" + n + "\"=\"" + n + "\"\r\n";
        records.push_back("[HKEY_CURRENT_USER\\Software\\ZevoBlackBox]v" + n + "\r\n(Old)\r\n(New)" + n + "\r\n\r\n");
    }
    const std::string dataFile = WriteFile("killed.zvd", data);
    for (int moment : {0, 3000, 9000}) {
        SCOPED_TRACE(moment);
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        DeleteFileA(history.c_str());
        ZevoProcess zevo("\"" + dataFile + "\"");
        const DWORD start = GetTickCount();
        const std::string sign = "v" + std::to_string(moment);
        while (Value("", sign) == "missing" && GetTickCount() - start < kTimeoutMilliseconds && !zevo.Wait(1)) {
        }
        zevo.Kill();
        int written = 0;
        while (written < kValues && Value("", "v" + std::to_string(written)) != "missing")
            ++written;
        ASSERT_GT(written, moment);
        ASSERT_LT(written, kValues) << "the run must be ended in its middle";
        // Every record up to the value before the last written one is whole
        // and in order; the last may be missing or cut, nothing follows it.
        std::string kept = zevo::test::ReadWholeFile(history);
        ASSERT_EQ(kept.rfind("<< ", 0), 0u);
        kept.erase(0, kept.find(">>\r\n") + 4);
        std::string all;
        for (int i = 0; i < written; ++i)
            all += records[static_cast<size_t>(i)];
        const size_t allButLast = all.size() - records[static_cast<size_t>(written - 1)].size();
        EXPECT_EQ(all.compare(0, kept.size(), kept), 0);
        EXPECT_GE(kept.size(), allButLast) << written << " values, " << kept.size() << " bytes of records";
    }
}

}  // namespace
