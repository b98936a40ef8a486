// Conversion between a REGEDIT4 value line and typed registry data.
//
// A value line is one logical line of the data file (continuations already
// joined), `"name"=data` or `@=data`. The decoders leave the display form of
// what they decoded in `fileData` (the file-data pane) and leave it untouched
// when the line holds nothing of their kind. Every search steps over the
// double-byte characters of the code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/diagnostics.h"

namespace zevo {

// Registry type codes as the platform defines them.
enum : int {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
    kRegResourceList = 8,
    kUnknownType = -1,
};

// The most data one value holds anywhere in the program.
const size_t kMaxValueBytes = 128000;
// Byte data longer than this is cut for display and flagged as long.
const size_t kMaxDisplayBytes = 100;

// Every function that takes `diagnostics` tells it, when given, where the
// line's text is read otherwise than it looks.

// The value's name; empty for the default value (`@=`) and for a line
// without a double quote. Doubled backslashes are folded.
std::string GetValueName(const std::string& line, const CodePage& cp,
                         Diagnostics* diagnostics = nullptr);

// The form of the data after the first "=": a string, a dword, a byte list
// of one of the format's first six types (found anywhere after the "="), or
// a byte list of any type "hex(N):" (N from 0 to ffffffff, right after the
// "="). For such a list `typed` is set: the registry holds the same value
// only when it holds that very type and those bytes, and the bytes are
// written exactly as listed, also for a string type.
struct ValueForm {
    bool known = false;
    uint32_t type = 0;
    bool typed = false;
};
ValueForm GetValueForm(const std::string& line, const CodePage& cp,
                       Diagnostics* diagnostics = nullptr);

// The form's type code, or kUnknownType (also for "hex(ffffffff):").
int GetValueType(const std::string& line, const CodePage& cp, Diagnostics* diagnostics = nullptr);

// The decoders set `*found`, when given, to whether the line holds data of
// their kind at all.

// The number after the first "dword:" after the first "="; 0xFFFFFFFF when
// the line holds none there.
uint32_t GetDwordData(const std::string& line, const CodePage& cp, std::string& fileData,
                      bool* found = nullptr, Diagnostics* diagnostics = nullptr);

// Decodes the byte list after "=hex...:" into `bytes` (replacing its content)
// and returns the number of bytes, a trailing comma counting as one byte of
// value 0. Returns -1 when the line holds no "=hex" (bytes untouched) or when
// the list holds more than kMaxValueBytes bytes.
int GetHexData(const std::string& line, const CodePage& cp, std::vector<uint8_t>& bytes,
               std::string& fileData, bool* found = nullptr, Diagnostics* diagnostics = nullptr);

// The string after `="`, its last character dropped as the closing quote and
// doubled backslashes folded, left in `fileData` and returned as that; an
// empty string (and `fileData` untouched) when the line holds no `="`.
const std::string& GetStringData(const std::string& line, const CodePage& cp,
                                 std::string& fileData, bool* found = nullptr,
                                 Diagnostics* diagnostics = nullptr);

// Digit arithmetic of the data file: upper-cased, each character c (as a
// signed byte) counts c - 55 above '9' and c - 48 otherwise; nothing is
// validated. HexToByte reads two characters, a missing one counting as code 0.
int HexToByte(const char* text, size_t length);
// Reads up to eight characters, most significant first; a shorter text is
// read from the digits it has ("1A" is 26), never past its end.
uint32_t HexToDword(const char* text, size_t length);
uint32_t BytesToDword(const uint8_t* bytes);

// Doubled backslashes become single ones; any other backslash stays.
std::string FoldBackslashes(std::string text, const CodePage& cp);

struct ValueText {
    std::string text;      // one line, no inserted line breaks
    bool longData = false; // byte data longer than kMaxDisplayBytes
};

// The registry-data pane's form of typed data: "%08x" for REG_DWORD, the
// bytes up to the first zero for REG_SZ, "%02x," pairs of at most the first
// 100 bytes (final comma removed) for every other type. Bytes beyond `size`
// are never read; a REG_DWORD shorter than four bytes counts the missing
// bytes as zero.
ValueText FormatValueText(int type, const uint8_t* data, size_t size);
// The same, written over `text` so that its buffer is reused; true when the
// data is too long to show whole.
bool FormatValueText(int type, const uint8_t* data, size_t size, std::string& text);

}  // namespace zevo
