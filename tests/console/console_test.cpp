// The console program's command line, its JSON strings, and its questions.
#include <gtest/gtest.h>

#include "console/console_main.h"
#include "console/console_view.h"
#include "console/json.h"
#include "json_check.h"
#include "registry/memory_registry.h"
#include "script/recording_hosts.h"
#include "test_files.h"

namespace zevo {
namespace {

struct StringOutput : ConsoleOutput {
    void Out(const std::string& bytes) override { out += bytes; }
    void Err(const std::string& bytes) override { err += bytes; }
    std::string FromProgram(const std::string& utf8) override { return "<" + utf8 + ">"; }
    std::string DataToUtf8(const std::string& bytes) override { return bytes; }
    std::string out, err;
};

struct TypedInput : ConsoleInput {
    bool IsConsole() override { return console; }
    bool ReadLine(std::string& line) override { return typed ? (line = answer, true) : false; }
    bool console = true, typed = true;
    std::string answer;
};

struct NoFiles : FileOperations {
    bool MatchesFile(const std::string&) override { return false; }
    std::string FullPath(const std::string& path) override { return path; }
    FileResult CopyFiles(const std::string&, const std::string&) override { return FileResult::Failed; }
    FileResult DeleteFiles(const std::string&) override { return FileResult::Failed; }
    FileResult MakeDirectory(const std::string&) override { return FileResult::Failed; }
    FileResult RemoveEmptyDirectory(const std::string&) override { return FileResult::Failed; }
};

TEST(ConsoleTest, CommandLines)
{
    const struct {
        std::vector<std::string> args;
        std::string problem;  // empty: a valid command
    } rows[] = {
        {{}, "no command given"}, {{"Verify", "a"}, "unknown command 'Verify'"},
        {{"lint"}, "lint needs a data file"}, {{"apply", "a", "b"}, "apply takes one data file"},
        {{"lint", "a", "b", "--sarif"}, ""}, {{"lint", "a", "--json", "--sarif"}, "--json and --sarif exclude each other"},
        {{"apply", "a", "--strict"}, "unknown option '--strict' for apply"}, {{"verify", "--strict", "a", "--json"}, ""},
        {{"apply", "-", "--json"}, ""},  // one dash is a file name
        {{"capture", "K", "L", "--output", "F"}, ""}, {{"capture"}, "capture needs a key"},
        {{"capture", "K", "--output"}, "unknown option '--output' for capture"}, {{"apply", "a", "--undo", "u"}, ""},
        {{"apply", "a", "--undo"}, "unknown option '--undo' for apply"}, {{"verify", "a", "--undo", "u"}, "unknown option '--undo' for verify"},
    };
    for (const auto& row : rows) {
        const ConsoleCommand command = ParseConsoleCommand(row.args);
        EXPECT_EQ(command.problem, row.problem);
        EXPECT_EQ(command.kind == ConsoleCommand::Kind::Usage, !row.problem.empty());
    }
    StringOutput out;
    NoFiles files;
    ConsolePlatform native{out, files, CodePage::SingleByte()};
    EXPECT_EQ(RunConsoleCommand({"verify", "a.zvd"}, native), kExitCannotRun);
    EXPECT_EQ(RunConsoleCommand({"apply", "a.zvd", "--help"}, native), kExitCannotRun);
    EXPECT_EQ(out.err, "zevoc: verify needs the Windows registry; only lint works here\n"
                       "zevoc: unknown option '--help' for apply\n" + std::string(kConsoleUsage));
}

TEST(ConsoleTest, JsonStringsAreValid)
{
    for (const std::string text : {"", "a\"b\\c", "\r\n\t\x01\x1f", "\x7f\xe3\x81\x82"})
        EXPECT_TRUE(test::JsonCheck::Valid("[" + JsonQuote(text) + "]")) << text;
    EXPECT_EQ(JsonQuote(std::string("\"\\\x01\0/", 5)), "\"\\\"\\\\\\u0001\\u0000/\"");
    for (const char* bad : {"", "[", "{\"a\"}", "\"\x01\"", "01", "1.", "[1,]", "\"\\x\"", "{} {}"})
        EXPECT_FALSE(test::JsonCheck::Valid(bad)) << bad;
}

// "/Q" asks on a console: OK ends the run, anything else (or nothing) goes on; without a console it is not asked.
TEST(ConsoleTest, QuestionsOnTheConsole)
{
    const struct {
        bool console, typed;
        std::string answer;
        bool ends;
        std::string err;
    } rows[] = {
        {true, true, "OK", true, "<Mendora>: <stop> [OK/Cancel] "}, {true, true, "ok\r", true, ""},
        {true, true, "cancel", false, ""}, {true, true, "", false, ""}, {true, false, "OK", false, ""},
        {false, true, "OK", false, "zevoc: <Mendora>: <stop> - not asked, standard input is not a console; the run goes on\n"},
    };
    for (const auto& row : rows) {
        StringOutput out;
        NoFiles files;
        TypedInput input;
        input.console = row.console, input.typed = row.typed, input.answer = row.answer;
        ConsolePlatform platform{out, files, CodePage::SingleByte(), nullptr, nullptr, &input};
        RunState state;
        ConsoleView view(state, platform, false, false);
        EXPECT_EQ(view.ConfirmBox(MixedText("stop"), MixedText("Mendora")), row.ends) << row.answer;
        if (!row.err.empty()) {
            EXPECT_EQ(out.err, row.err);
        }
    }
}

// Natively, on the in-memory registry: a run's undo file gives the capture of the keys before it back.
TEST(ConsoleTest, UndoGivesTheCaptureBack)
{
    MemoryRegistry registry(CodePage::ShiftJis());
    test::RecordingProcess process;
    test::RecordingFiles files;
    StringOutput out;
    ConsolePlatform platform{out, files, CodePage::ShiftJis(), &registry, &process, nullptr};
    const std::string key = "[HKEY_CURRENT_USER\\S]\r\n", gone = "HKEY_CURRENT_USER\\S\\Gone";
    ASSERT_EQ(RunConsoleCommand({"apply", test::WriteScratchFile("SETUP.ZVD", "REGEDIT4\r\n" + key +
        "\"Kept\"=\"old\"\r\n\"b\"=hex(b):01\r\n[" + gone + "]\r\n\"g\"=dword:00000005\r\n")}, platform), kExitDone);
    auto capture = [&] {
        out.out.clear();
        EXPECT_EQ(RunConsoleCommand({"capture", "HKEY_CURRENT_USER\\S"}, platform), kExitDone);
        return out.out.substr(out.out.find("\n\n"));
    };
    const std::string before = capture(), undo = test::ScratchPath("RUN-UNDO.ZVD");
    EXPECT_EQ(before.substr(0, 27), "\n\n[HKEY_CURRENT_USER\\S]\n\"b\"");
    const std::string run = test::WriteScratchFile("RUN.ZVD", "REGEDIT4\r\n" + key + "\"kept\"=\"new\"\r\n\"kept\"=\"newer\"\r\n"
        "\"n\"=\"1\"\r\n/%=\"b\"\r\n/%=[" + gone + "]\r\n[HKEY_CURRENT_USER\\S\\A\\B]\r\n[HKEY_CURRENT_USER\\S\\A\\C]\r\n\"c\"=\"1\"\r\n"
        "[" + gone + "]\r\n/M \"x\"\r\n");
    EXPECT_EQ(RunConsoleCommand({"apply", run, "--undo", undo}, platform), kExitDone);
    EXPECT_NE(out.out.find("\nsummary: values written 4, values deleted 1, keys deleted 1, file operations 1, problems 0\n"),
              std::string::npos) << out.out;
    EXPECT_EQ(test::ReadWholeFile(undo), "REGEDIT4\r\n// Takes back what zevoc apply " + run + " changed in the registry.\r\n\r\n" + key +
        "\"Kept\"=\"old\"\r\n/%=\"n\"\r\n\"b\"=hex(b):01\r\n\r\n[" + gone + "]\r\n\"g\"=dword:00000005\r\n"
        "/%=[HKEY_CURRENT_USER\\S\\A\\B]\r\n/%=[HKEY_CURRENT_USER\\S\\A\\C]\r\n/%=[HKEY_CURRENT_USER\\S\\A]\r\n"
        "// not taken back: /M \"X\"\r\n");
    EXPECT_EQ(RunConsoleCommand({"apply", undo}, platform), kExitDone);
    EXPECT_EQ(capture(), before);
    EXPECT_EQ(RunConsoleCommand({"verify", run, "--strict"}, platform), kExitFound) << "differences, no warnings";
    out.err.clear();
    EXPECT_EQ(RunConsoleCommand({"apply", run, "--undo", test::ScratchPath("NO/SUCH/FOLDER")}, platform), kExitCannotRun);
    EXPECT_EQ(out.err, "zevoc: cannot write the undo file " + test::ScratchPath("NO/SUCH/FOLDER") + "\n");
}

}  // namespace
}  // namespace zevo
