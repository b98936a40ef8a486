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

// A machine for whole console commands: the in-memory registry, recorded programs and files.
struct InMemory {
    MemoryRegistry registry{CodePage::ShiftJis()};
    test::RecordingProcess process;
    test::RecordingFiles files;
    StringOutput out;
    ConsolePlatform platform{out, files, CodePage::ShiftJis(), &registry, &process, nullptr};
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

// What verify and then apply print, line by line, on the in-memory registry.
TEST(ConsoleTest, WhatVerifyAndApplyPrint)
{
    InMemory machine;
    StringOutput& out = machine.out;
    ConsolePlatform& platform = machine.platform;
    const std::string key = "HKEY_CURRENT_USER\\P", setup = test::WriteScratchFile("P0.ZVD", "REGEDIT4\r\n[" + key +
        "]\r\n\"e\"=\"1\"\r\n[" + key + "\\Gone]\r\n");
    ASSERT_EQ(RunConsoleCommand({"apply", setup}, platform), kExitDone);
    const std::string data = test::WriteScratchFile("P1.ZVD", "REGEDIT4\r\n[" + key + "]\r\n\"e\"=\"2\"\r\n/%=[" + key +
        "\\Gone]\r\n/* note\r\n\"f\"=dword:00000010\r\n"), at = data + ":";
    out = StringOutput();
    EXPECT_EQ(RunConsoleCommand({"verify", data}, platform), kExitFound);
    EXPECT_EQ(out.out, at + "3: [" + key + "] \"e\": registry 1; file 2\n" + at + "4: [" + key + "\\GONE]: key should be absent\n" +
        at + "6: [" + key + "] \"f\": registry missing; file 00000010\nsummary: differences 3, not carried out 0, warnings 0\n");
    EXPECT_EQ(out.err, at + "5:  note\n");
    out = StringOutput();
    EXPECT_EQ(RunConsoleCommand({"verify", data, "--json"}, platform), kExitFound);
    EXPECT_NE(out.out.find("\n{\"event\":\"text\",\"file\":" + JsonQuote(data) + ",\"line\":5,\"message\":\" note\"}\n"),
              std::string::npos) << out.out;
    out = StringOutput();
    EXPECT_EQ(RunConsoleCommand({"apply", data}, platform), kExitDone);
    EXPECT_EQ(out.out, "File=" + data + "\n" + key + " \"e\"\n[" + key + "\\GONE] -- Key deleted --\n" + key + " \"f\"\n"
        "summary: values written 2, values deleted 0, keys deleted 1, file operations 0, problems 0\n");
    EXPECT_EQ(out.err, at + "5:  note\n");
    // A line the reader drops is a warning, and with --strict a check that cannot be relied on.
    const std::string broken = test::WriteScratchFile("P2.ZVD", "REGEDIT4\r\n[" + key + "]\r\n\"p\"=\"C:\\DOS\"\r\n");
    out = StringOutput();
    EXPECT_EQ(RunConsoleCommand({"verify", broken}, platform), kExitDone);
    EXPECT_EQ(RunConsoleCommand({"verify", broken, "--strict"}, platform), kExitCannotRun);
    const std::string summary = "summary: differences 0, not carried out 0, warnings 1\n";
    EXPECT_EQ(out.out, summary + summary);
}

// Natively, on the in-memory registry: a run's undo file gives the capture of the keys before it back.
TEST(ConsoleTest, UndoGivesTheCaptureBack)
{
    InMemory machine;
    StringOutput& out = machine.out;
    ConsolePlatform& platform = machine.platform;
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
