#include "app/run_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <utility>

#include "../script/recording_hosts.h"
#include "../test_files.h"
#include "registry/memory_registry.h"

namespace zevo {
namespace {

// The fixture is also the run's timer and restart host; their calls go among the dialog's.
class RunDriverTest : public ::testing::Test, public RunTimer, public RestartHost {
protected:
    void Arm(int milliseconds) override { m_dialog.calls.push_back("arm " + std::to_string(milliseconds)); m_armed = true; }
    void Kill() override { m_dialog.calls.push_back("kill"); m_armed = false; }
    bool ConfirmRestart(const char* question) override { m_dialog.calls.push_back(std::string("ask ") + question); return m_answer; }
    void ShowRestartNotice() override { m_dialog.calls.push_back("notice"); }
    void RequestRestart() override { m_dialog.calls.push_back("restart " + Loop()); }
    void KillRunTimer() override { m_dialog.calls.push_back("kill timer"); }

    std::string Loop() { std::string loop; m_settings.ReadSetting("LOOP", loop); return loop; }
    std::string Calls()  // since the last look, each followed by "; ": the dialog's, then the process's
    {
        std::string calls;
        for (std::vector<std::string>* list : {&m_dialog.calls, &m_process.calls})
            for (const std::string& call : std::exchange(*list, {}))
                calls += call + "; ";
        return calls;
    }

    const CodePage m_cp = CodePage::ShiftJis();
    MemoryRegistry m_registry{m_cp};
    Settings m_settings{m_registry};
    RunState m_state;
    test::RecordingDialog m_dialog;
    test::RecordingProcess m_process;
    test::RecordingFiles m_files;
    Interpreter m_interpreter{m_state, m_registry, m_cp, m_dialog, m_process, m_files};
    RunDriver m_driver{m_state, m_interpreter, m_dialog, *this, m_settings, *this, m_process};
    bool m_armed = false, m_answer = true;
};

// Each data file runs from Start until the timer stays off (or a stop after `stop` ticks); a tick
// after that does nothing. Only a Fast end leaves the dialog as it is. At normal speed the log needs a
// tracked change ("/Z"); so does a restart ("/E" asks, "/EY" not), with "/V" off; LOOP "L" allows one.
TEST_F(RunDriverTest, TheWaysARunFinishesAndWhatFollows)
{
    const std::string key = "[HKEY_CURRENT_USER\\Software\\T]\r\n", abc = "\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n";
    const std::string start = "fetch; disable; unlock; arm 10; kill; fetch; ", next = "arm 50; kill; fetch; ";
    const std::string timedEnd = "restore; enable; stop off; ", fast = "kill; enable; stop off; ", fastEnd = start + fast;
    const std::string change = "/Z\r\n" + key + abc, ask = fastEnd + "kill timer; ask " + kRestartQuestion + "; ";
    const std::string logged = "File=" + test::ScratchPath("RUN.ZVD") + "\r\r\n", t = "HKEY_CURRENT_USER\\Software\\T \"";
    const std::string all = logged + t + "a\"\r\r\n" + t + "b\"\r\r\n" + t + "c\"\r\r\n";  // the log of the three values
    const struct { const char* label; int speed; std::string data; int stop; const char* loopBefore; bool answer;
                   std::string calls, log; const char* loopAfter; } cases[] = {
        {"timed", 5, key + abc, -1, "", true, start + next + next + next + next + timedEnd, "", "N"},
        {"Fast", 0, key + abc, -1, "", true, fastEnd, all, "N"},
        {"speed change, then the end", 0, key + abc + "/!5\r\n", -1, "", true, start + "speed 5; kill; " + timedEnd, all, "N"},
        {"/!5 leaves the Fast loop: two more entries, then timed", 0, "/!5\r\n" + change, -1, "", true,
         start + "speed 5; " + next + next + next + next + timedEnd, all, "N"},
        {"back to Fast in the tick", 0, key + "/!5\r\n/!-\r\n" + abc, -1, "", true, start + "speed 5; speed 0; " + fast, all, "N"},
        {"/QN ends the program", 0, key + "/QN\r\n" + abc, -1, "", true, start + "exit 0; ", "", ""},
        {"stop between ticks", 5, key + abc, 1, "", true, start + "arm 50; kill; enable; restore; stop off; ", logged, ""},
        {"no restart asked for", 0, change, -1, "", true, fastEnd, all, "N"},
        {"no change seen", 0, "/E\r\n/T\r\n" + key + abc, -1, "", true, fastEnd + "exit 0; ", all, "N"},
        {"verify by data", 0, "/EY\r\n/V\r\n" + change, -1, "", true, fastEnd, all, "N"},
        {"asked, OK, then the end", 0, "/E\r\n/T\r\n" + change, -1, "", true, ask + "restart L; exit 0; ", all, "L"},
        {"asked, OK, the program stays", 0, "/E\r\n" + change, -1, "N", true, ask + "restart L; ", all, "N"},
        {"asked, Cancel", 0, "/E\r\n/T\r\n" + change, -1, "N", false, ask + "exit 0; ", all, "N"},
        {"asked after a restart", 0, "/E\r\n/T\r\n" + change, -1, "L", true, fastEnd + "kill timer; exit 0; ", all, "N"},
        {"without asking", 0, "/EY\r\n" + change, -1, "", true, fastEnd + "notice; restart L; ", all, "N"},
        {"without asking after a restart", 0, "/EY\r\n" + change, -1, "L", true, fastEnd, all, "N"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        m_state = RunState();
        m_state.m_strDataFile = test::ScratchPath("RUN.ZVD");
        m_state.m_strLogFile = test::ScratchPath("RUN.ZVL");
        m_state.m_bLog = true;
        std::ofstream(m_state.m_strDataFile, std::ios::binary) << c.data;
        std::remove(m_state.m_strLogFile.c_str());
        m_registry.DeleteKey(m_registry.Root(RootKey::CurrentUser), "Software\\T");
        m_settings.WriteSetting("LOOP", c.loopBefore);
        m_dialog.speed = c.speed;
        m_answer = c.answer;
        m_driver.Start();
        for (int ticks = 0; m_armed && ticks < 100; ++ticks)
            ticks == c.stop ? m_driver.Stop() : m_driver.Tick();
        m_driver.Tick();
        EXPECT_FALSE(m_driver.Running() || m_interpreter.DataFileOpen()) << "a run ends with its data file closed";
        EXPECT_EQ(Calls(), c.calls);
        EXPECT_EQ(test::ReadWholeFile(m_state.m_strLogFile), c.log);
        EXPECT_EQ(Loop(), c.loopAfter);
    }
    m_state.m_strDataFile = test::ScratchPath("MISSING.ZVD");
    m_driver.Start();
    EXPECT_EQ(Calls(), "fetch; ") << "a data file that cannot be opened starts nothing";
}

TEST_F(RunDriverTest, SettingsTakeTextsThatFitTheirBuffer)
{
    std::string text = "stale";
    EXPECT_EQ(m_settings.ReadSetting("LOOP", text), 0) << "no settings key yet";
    EXPECT_EQ(text, "");
    // Stored with a zero byte: 511 characters fill the 512-byte buffer.
    EXPECT_EQ(m_settings.WriteSetting("FITS", std::string(511, 'x')), 1);
    m_settings.WriteSetting("LONGER", std::string(512, 'y'));
    EXPECT_EQ(m_settings.ReadSetting("FITS", text), 1);
    EXPECT_EQ(text, std::string(511, 'x'));
    EXPECT_EQ(m_settings.ReadSetting("LONGER", text), 0);
    EXPECT_EQ(m_registry.OpenHandleCount(), 0u) << "every key opened is closed";
}

}  // namespace
}  // namespace zevo
