// The run driver and the end-of-run handling, with a recorded timer and
// recorded restart dialogs, over the in-memory registry.
#include "app/run_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../script/recording_hosts.h"
#include "../test_files.h"
#include "registry/memory_registry.h"

namespace zevo {
namespace {

std::string Join(const std::vector<std::string>& items)
{
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : "; ") + item;
    return out;
}

class RecordingTimer : public RunTimer {
public:
    void Arm(int milliseconds) override
    {
        calls.push_back("arm " + std::to_string(milliseconds));
        armed = true;
    }
    void Kill() override
    {
        calls.push_back("kill");
        armed = false;
    }
    std::vector<std::string> calls;
    bool armed = false;
};

class RecordingRestart : public RestartHost {
public:
    bool ConfirmRestart(const char* question) override
    {
        calls.push_back(std::string("ask ") + question);
        return answer;
    }
    void ShowRestartNotice() override { calls.push_back("notice"); }
    void RequestRestart() override { calls.push_back("restart"); }
    void KillRunTimer() override { calls.push_back("kill timer"); }
    std::vector<std::string> calls;
    bool answer = true;
};

class RunDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::filesystem::path folder =
            std::filesystem::path(test::ScratchFolder()) / (std::string("driver.") + info->name());
        std::filesystem::create_directories(folder);
        m_previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        m_state.m_strDataFile = "RUN.ZVD";
        m_state.m_strLogFile = "RUN.ZVL";
    }
    void TearDown() override { std::filesystem::current_path(m_previousFolder); }

    void Write(const std::string& text)
    {
        std::ofstream("RUN.ZVD", std::ios::binary) << text;
    }
    // Ticks until the timer is no longer armed; returns the number of ticks.
    int TickToEnd()
    {
        int ticks = 0;
        while (m_timer.armed && ticks < 1000) {
            m_driver.Tick();
            ++ticks;
        }
        return ticks;
    }
    std::string Loop()
    {
        std::string loop;
        m_settings.ReadSetting("LOOP", loop);
        return loop;
    }

    const CodePage m_cp = CodePage::ShiftJis();
    MemoryRegistry m_registry{m_cp};
    RunState m_state;
    test::RecordingDialog m_dialog;
    test::RecordingProcess m_process;
    test::RecordingFiles m_files;
    RecordingTimer m_timer;
    RecordingRestart m_restart;
    Settings m_settings{m_registry};
    Interpreter m_interpreter{m_state, m_registry, m_cp, m_dialog, m_process, m_files};
    RunDriver m_driver{m_state, m_interpreter, m_dialog, m_timer, m_settings, m_restart, m_process};
    std::filesystem::path m_previousFolder;
};

const char kThreeValues[] =
    "[HKEY_CURRENT_USER\\Software\\T]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n";

TEST_F(RunDriverTest, TimedRunTakesOneEntryPerTick)
{
    Write(kThreeValues);
    m_dialog.speed = 5;
    m_driver.Start();
    EXPECT_TRUE(m_driver.Running());
    EXPECT_EQ(Join(m_dialog.calls), "fetch; disable; unlock");
    EXPECT_EQ(Join(m_timer.calls), "arm 10");
    m_driver.Tick();
    m_driver.Tick();
    m_dialog.speed = 50;  // the trackbar moved during the run
    EXPECT_EQ(TickToEnd(), 3);
    EXPECT_EQ(Join(m_timer.calls), "arm 10; kill; arm 50; kill; arm 50; kill; arm 500; kill; arm 500; kill");
    EXPECT_FALSE(m_driver.Running());
    EXPECT_EQ(m_state.m_strChangedItems.substr(0, 14), "File=RUN.ZVD\r\n");
    EXPECT_NE(m_state.m_strChangedItems.find("\"c\""), std::string::npos);
    // The end of a timed run restores the dialog and gives the controls back.
    EXPECT_EQ(Join(m_dialog.calls),
              "fetch; disable; unlock; fetch; fetch; fetch; fetch; fetch; restore; enable; stop off");
    EXPECT_EQ(Loop(), "N");
}

TEST_F(RunDriverTest, LogRulesOfTheThreeEndings)
{
    const struct {
        const char* label;
        int speed;
        std::string data;
        bool track;
        bool logWritten;
        bool restored;
    } cases[] = {
        {"timed, no tracked change", 5, kThreeValues, false, false, true},
        {"timed, tracked change", 5, kThreeValues, true, true, true},
        {"fast, no tracked change", 0, kThreeValues, false, true, false},
        {"speed changed", 0, std::string(kThreeValues) + "/!5\r\n\"d\"=\"4\"\r\n", false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove("RUN.ZVL");
        m_registry.DeleteKey(m_registry.Root(RootKey::CurrentUser), "Software\\T");
        m_state.m_bLog = true;
        m_state.m_bTrackChanges = c.track;
        m_state.m_bChangesSeen = false;
        m_dialog.speed = c.speed;
        m_dialog.calls.clear();
        Write(c.data);
        m_driver.Start();
        TickToEnd();
        EXPECT_FALSE(m_driver.Running());
        EXPECT_EQ(std::filesystem::exists("RUN.ZVL"), c.logWritten);
        EXPECT_EQ(Join(m_dialog.calls).find("restore") != std::string::npos, c.restored);
    }
}

TEST_F(RunDriverTest, FastRunTakesOneTick)
{
    Write(kThreeValues);
    m_driver.Start();
    EXPECT_EQ(TickToEnd(), 1);
    EXPECT_EQ(Join(m_timer.calls), "arm 10; kill; kill");
    EXPECT_NE(m_state.m_strChangedItems.find("\"c\""), std::string::npos);
}

TEST_F(RunDriverTest, SpeedDirectivesDuringAFastTick)
{
    // "/!5" leaves the Fast loop; two more entries are handled in the same
    // tick, then the run goes on at 50 ms per entry.
    Write("/!5\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n\"d\"=\"4\"\r\n");
    m_driver.Start();
    m_driver.Tick();
    EXPECT_EQ(Join(m_timer.calls), "arm 10; kill; arm 50");
    EXPECT_TRUE(m_driver.Running());
    EXPECT_EQ(TickToEnd(), 3);

    // Back to Fast within the same tick: the run still goes to the end of its file.
    Write("[HKEY_CURRENT_USER\\Software\\T]\r\n/!5\r\n/!-\r\n\"a\"=\"1\"\r\n\"z\"=\"26\"\r\n");
    m_timer.calls.clear();
    m_dialog.speed = 0;
    m_driver.Start();
    EXPECT_EQ(TickToEnd(), 1);
    EXPECT_FALSE(m_driver.Running());
    EXPECT_NE(m_state.m_strChangedItems.find("\"z\""), std::string::npos);
}

TEST_F(RunDriverTest, StopAndFailedStarts)
{
    Write(kThreeValues);
    m_state.m_bLog = true;
    m_state.m_bExitAtEnd = true;
    m_dialog.speed = 5;
    m_driver.Start();
    m_driver.Tick();
    m_dialog.calls.clear();
    m_driver.Stop();
    EXPECT_FALSE(m_driver.Running());
    EXPECT_FALSE(m_timer.armed);
    EXPECT_FALSE(m_interpreter.DataFileOpen());
    EXPECT_EQ(Join(m_dialog.calls), "enable; restore; stop off");
    EXPECT_EQ(test::ReadWholeFile("RUN.ZVL"), "File=RUN.ZVD\r\r\n") << "the log holds what ran";
    EXPECT_TRUE(m_process.calls.empty()) << "a stop runs no end-of-run handling";
    EXPECT_EQ(Loop(), "");

    // A data file that cannot be opened starts nothing.
    m_timer.calls.clear();
    m_dialog.calls.clear();
    m_state.m_strDataFile = "MISSING.ZVD";
    m_driver.Start();
    EXPECT_FALSE(m_driver.Running());
    EXPECT_TRUE(m_timer.calls.empty());
    EXPECT_EQ(Join(m_dialog.calls), "fetch");

    // An empty data file finishes on its first tick.
    Write("");
    m_state.m_strDataFile = "RUN.ZVD";
    m_state.m_bExitAtEnd = false;
    m_driver.Start();
    EXPECT_EQ(TickToEnd(), 1);
    EXPECT_FALSE(m_driver.Running());
}

TEST_F(RunDriverTest, EndOfRunRestartsAndKeepsLoop)
{
    const struct {
        const char* label;
        const char* loopBefore;  // "" for no value
        bool changesSeen;
        int restartMode;
        bool verifyByData;
        bool exitAtEnd;
        bool answer;
        std::string restartCalls;
        std::string processCalls;
        std::string loopAfter;
    } cases[] = {
        {"no request", "", true, 0, false, false, true, "", "", "N"},
        {"no change seen", "", false, 1, false, true, true, "", "exit 0", "N"},
        {"verify by data", "", true, 2, true, false, true, "", "", "N"},
        {"asked, OK, then end", "", true, 1, false, true, true,
         "kill timer; ask Windows95を再起動しますか。; restart", "exit 0", "L"},
        {"asked, OK, program stays", "N", true, 1, false, false, true,
         "kill timer; ask Windows95を再起動しますか。; restart", "", "N"},
        {"asked, Cancel", "N", true, 1, false, true, false,
         "kill timer; ask Windows95を再起動しますか。", "exit 0", "N"},
        {"lower-case l is not L", "l", true, 1, false, false, false,
         "kill timer; ask Windows95を再起動しますか。", "", "N"},
        {"asked after a restart", "L", true, 1, false, false, true, "kill timer", "", "N"},
        {"without asking", "", true, 2, false, false, true, "notice; restart", "", "N"},
        {"without asking after a restart", "L", true, 2, false, false, true, "", "", "N"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        m_registry.DeleteValue(0, "");
        KeyHandle key = 0;
        m_registry.CreateKey(m_registry.Root(RootKey::CurrentUser), "Software\\PLV\\ZEVO", &key);
        m_registry.DeleteValue(key, "LOOP");
        m_registry.CloseKey(key);
        if (*c.loopBefore != '\0')
            m_settings.WriteSetting("LOOP", c.loopBefore);
        RunState state;
        state.m_bChangesSeen = c.changesSeen;
        state.m_nRestartMode = c.restartMode;
        state.m_bVerifyByData = c.verifyByData;
        state.m_bExitAtEnd = c.exitAtEnd;
        m_restart.calls.clear();
        m_restart.answer = c.answer;
        m_process.calls.clear();
        EndOfRun(state, m_settings, m_restart, m_process);
        EXPECT_EQ(Join(m_restart.calls), c.restartCalls);
        EXPECT_EQ(Join(m_process.calls), c.processCalls);
        EXPECT_EQ(Loop(), c.loopAfter);
    }
}

TEST_F(RunDriverTest, SettingsStoreTexts)
{
    std::string text = "stale";
    EXPECT_EQ(m_settings.ReadSetting("LOOP", text), 0) << "no settings key yet";
    EXPECT_EQ(text, "");
    const std::string longest(511, 'x');
    EXPECT_EQ(m_settings.WriteSetting("LONG", longest), 1);
    EXPECT_EQ(m_settings.ReadSetting("LONG", text), 1);
    EXPECT_EQ(text, longest);
    EXPECT_EQ(m_settings.WriteSetting("LONGER", std::string(600, 'y')), 1);
    EXPECT_EQ(m_settings.ReadSetting("LONGER", text), 0) << "does not fit the 512-byte buffer";
    EXPECT_EQ(text, "");
    EXPECT_EQ(m_settings.ReadSetting("MISSING", text), 0);
    EXPECT_EQ(m_registry.OpenHandleCount(), 0u) << "every key opened is closed";
}

}  // namespace
}  // namespace zevo
