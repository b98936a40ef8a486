// Feeds arbitrary bytes through the data-file reader and everything that
// takes an entry apart: the value codec, the key-line split and the
// directive argument syntax, with Shift-JIS and with a single-byte page.
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

void TakeApart(const Entry& entry, const CodePage& cp)
{
    std::string fileData;
    std::vector<uint8_t> bytes;
    std::vector<std::string> args;
    switch (entry.kind) {
    case EntryKind::Value:
    case EntryKind::BrokenBackslash: {
        GetValueName(entry.text, cp);
        GetValueType(entry.text, cp);
        GetDwordData(entry.text, cp, fileData);
        int n = GetHexData(entry.text, cp, bytes, fileData);
        if (n >= 0 && static_cast<size_t>(n) != bytes.size())
            __builtin_trap();
        GetStringData(entry.text, cp, fileData);
        for (int type : {kRegSz, kRegDword, kRegBinary})
            FormatValueText(type, bytes.data(), bytes.size());
        break;
    }
    case EntryKind::Key: {
        std::string root, path;
        SplitKeyLine(entry.text, cp, root, path);
        break;
    }
    case EntryKind::Directive: {
        DirectiveText command(entry.text, cp);
        SplitQuoted(command.Command(), cp, args);
        if (SplitWords(AfterChars(entry.text, 4), cp, args) < 1)
            __builtin_trap();
        for (const std::string& item : args)
            TimeToSeconds(item);
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
    while (ReadEntry(file, cp, entry))
        TakeApart(entry, cp);
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
