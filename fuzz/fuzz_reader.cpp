// Feeds arbitrary bytes through the data-file reader and everything that
// takes an entry apart: the value codec, the key-line split and the
// directive argument syntax, with Shift-JIS and with a single-byte page;
// every other entry with a diagnostics sink, whose findings must all point
// into the file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "registry/value_codec.h"
#include "script/data_file_reader.h"
#include "script/directive_syntax.h"

using namespace zevo;

namespace {

void TakeApart(const Entry& entry, const CodePage& cp, Diagnostics* diagnostics)
{
    std::string fileData;
    std::vector<uint8_t> bytes;
    std::vector<std::string> args;
    switch (entry.kind) {
    case EntryKind::Value:
    case EntryKind::BrokenBackslash: {
        GetValueName(entry.text, cp, diagnostics);
        GetValueType(entry.text, cp, diagnostics);
        GetDwordData(entry.text, cp, fileData, nullptr, diagnostics);
        int n = GetHexData(entry.text, cp, bytes, fileData, nullptr, diagnostics);
        if (n >= 0 && static_cast<size_t>(n) != bytes.size())
            __builtin_trap();
        GetStringData(entry.text, cp, fileData, nullptr, diagnostics);
        for (int type : {kRegSz, kRegDword, kRegBinary})
            FormatValueText(type, bytes.data(), bytes.size());
        break;
    }
    case EntryKind::Key: {
        std::string root, path;
        SplitKeyLine(entry.text, cp, root, path, diagnostics);
        break;
    }
    case EntryKind::Directive: {
        DirectiveText command(entry.text, cp);
        ArgumentNotes notes{diagnostics, 1, {}};
        SplitQuoted(command.Command(), cp, args, diagnostics != nullptr ? &notes : nullptr);
        notes.offset = 4;
        if (SplitWords(AfterChars(entry.text, 4), cp, args, diagnostics != nullptr ? &notes : nullptr) < 1)
            __builtin_trap();
        for (const std::string& item : args)
            TimeToSeconds(item, diagnostics);
        break;
    }
    default:
        break;
    }
}

void ReadAll(const uint8_t* data, size_t size, const CodePage& cp)
{
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (stream == nullptr)
        return;
    TextFile file;
    file.OpenStream(stream, TextFile::Mode::Read);
    Entry entry;
    Diagnostics diagnostics;
    diagnostics.BeginFile("fuzz.zvd");
    for (bool with = false; ReadEntry(file, cp, entry, with ? &diagnostics : nullptr); with = !with)
        TakeApart(entry, cp, with ? &diagnostics : nullptr);
    for (const Finding& finding : diagnostics.Findings()) {
        if (finding.line < 1 || finding.line > file.LineNumber() + 1 || finding.column < 1)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const CodePage shiftJis = CodePage::ShiftJis();
    static const CodePage singleByte = CodePage::SingleByte();
    ReadAll(data, size, shiftJis);
    ReadAll(data, size, singleByte);
    return 0;
}
