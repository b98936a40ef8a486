// zevo.exe on data files that end the program: its exit code, the registry and the files it wrote.
#include <cstdlib>
#include <fstream>

#include "zevo_process.h"

using namespace zevo::test;

// Without an argument it runs regdata.zvd in the system drive's root and ends
// at /T. "LOOP" = "L" says the previous run restarted Windows: this run's
// restart (/Z /EY) is skipped and "LOOP" set back to "N".
TEST(ZevoExeTest, RunsTheDefaultDataFileAndEnds)
{
    const std::string data = std::getenv("SystemDrive") + std::string("\\regdata.zvd");
    const std::string log = ScratchPath("run.zvl"), history = ScratchPath("run.zvh");
    std::ofstream(data, std::ios::binary) << "REGEDIT4\r\n/L=\"" << log << "\"\r\n/LH=\"" << history
                                          << "\"\r\n/Z\r\n/EY\r\n/T\r\n" << kRoot << "\"Name\"=\"Sample\"\r\n";
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO", "LOOP", REG_SZ, "L", 2);
    EXPECT_EQ(Zevo("").Finish(), 0u);
    DeleteFileA(data.c_str());
    EXPECT_EQ(Value("LOOP", "Software\\PLV\\ZEVO"), std::string("1:N\0", 4));
    EXPECT_EQ(Value("Name"), std::string("1:Sample\0", 9));
    EXPECT_EQ(ReadWholeFile(log), "File=" + data + "\r\r\n" + kPath + " \"Name\"\r\r\n");
    const std::string records = ReadWholeFile(history);  // "<< date and time >>", then the record
    EXPECT_EQ(records.substr(0, 3) + records.substr(records.find(" >>\r\n")),
              "<<  >>\r\n[" + kPath + "]Name\r\n(Old)\r\n(New)Sample\r\n\r\n");
}

// Started on a data file named unquoted, in a folder with a blank, and killed when the registry holds the
// 1st, 3,001st and 9,001st of 20,000 values, a run leaves a whole history record, in order, for every value
// written except possibly the last, and nothing after it.
TEST(ZevoExeTest, AKilledRunKeepsTheRecordOfEveryValueWritten)
{
    const std::string history = ScratchPath("killed.zvh");
    std::string data = "/LH=\"" + history + "\"\r\n" + kRoot;
    for (int i = 0; i < 20000; ++i)
        data += "\"v" + std::to_string(i) + "\"=\"" + std::to_string(i) + "\"\r\n";
    CreateDirectoryA(ScratchPath("with blank").c_str(), nullptr);
    data = WriteScratchFile("with blank\\killed.zvd", data);
    for (int moment : {0, 3000, 9000}) {
        DeleteFileA(history.c_str());
        Zevo zevo(data);
        for (int ms = 0; ms < 30000 && Value("v" + std::to_string(moment)) == "missing" && !zevo.Wait(1); ++ms)
            continue;
        zevo.Kill();
        std::string all, last, kept = ReadWholeFile(history);
        int written = 0;
        for (std::string n = "0"; Value("v" + n) != "missing"; n = std::to_string(++written))
            all += last = "[" + kPath + "]v" + n + "\r\n(Old)\r\n(New)" + n + "\r\n\r\n";
        ASSERT_TRUE(written > moment && written < 20000) << moment << ": " << written << " values written";
        kept.erase(0, kept.find(" >>\r\n") + 5);
        EXPECT_TRUE(all.compare(0, kept.size(), kept) == 0 && kept.size() >= all.size() - last.size())
            << moment << ": " << written << " values written, " << kept.size() << " bytes of records kept";
    }
}
