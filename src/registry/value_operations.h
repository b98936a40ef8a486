// Reading, comparing and writing the value a value line names. The results
// for the panes are left in a ValueDisplay, which the run state holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/diagnostics.h"
#include "registry/registry.h"
#include "registry/value_codec.h"

namespace zevo {

struct ValueDisplay {
    std::string m_strFileData;      // the line's value, as the file writes it
    std::string m_strRegistryData;  // the registry's value; empty when not read
    bool m_bLongData = false;       // byte data too long to show
};

class ValueOperations {
public:
    ValueOperations(Registry& registry, const CodePage& cp, ValueDisplay& display);

    // Reads the named value into the registry buffer and shows it. 1 when it
    // was read; 0 when it is missing, unreadable or longer than 128000 bytes.
    int QueryValueText(KeyHandle key, const std::string& name, uint32_t& type, uint32_t& size);
    // 1 when the registry already holds the line's value, 0 otherwise.
    int CompareValue(const std::string& line, KeyHandle key);
    // The same, with the line's name already read (GetValueName).
    int CompareValue(const std::string& line, const std::string& name, KeyHandle key);
    // CompareValue for a value known to be missing (in a key just created):
    // the same panes and result, without asking the registry.
    int CompareMissing(const std::string& line);
    // Writes the line's value; 1 when the registry accepted it. A line whose
    // data form is not recognised is never written.
    int SetValue(KeyHandle key, const std::string& line);
    // The same, with the line's name already read (GetValueName).
    int SetValue(KeyHandle key, const std::string& line, const std::string& name);
    // The line's data form (GetValueForm), kept from its comparison.
    ValueForm LineForm(const std::string& line);
    // Shows the current value that a deletion is about to remove; 1 when it exists.
    int ReadOldValue(const std::string& line, KeyHandle key);
    // Whether the last value read or compared was found in the registry.
    bool LastValueFound() const { return m_lastFound; }
    // Hears how a line is decoded when the registry has no value to decide
    // its type (always, against an empty registry).
    void SetDiagnostics(Diagnostics* diagnostics) { m_diagnostics = diagnostics; }

private:
    // Which decoder reads a line's data: its number, its string or its byte list.
    enum class Decoder { Dword, String, Bytes };
    static Decoder DecoderForType(int type);
    static Decoder DecoderForForm(const ValueForm& form);

    void ShowLineValue(const std::string& line);
    const ValueForm& ReadForm(const std::string& line, Diagnostics* diagnostics);
    // Decodes the line, leaving its pane form in `fileData`; when `decoder`
    // is the one its form writes with, the data are kept for SetValue.
    void Decode(const std::string& line, Decoder decoder, std::string& fileData, bool* found,
                Diagnostics* diagnostics);

    Registry& m_registry;
    const CodePage m_cp;
    ValueDisplay& m_display;
    // Reused from value to value: a run over many values allocates them once.
    std::vector<uint8_t> m_registryData;
    std::vector<uint8_t> m_lineData;
    std::string m_lineText;  // the line's data as written, when only the bytes matter
    // What the last comparison read from its line: a run compares each value
    // line and then writes it, and the line is decoded once for both.
    struct LineReading {
        std::string line;
        ValueForm form;
        bool haveData = false;  // the data below, as the form's own decoder reads them
        uint32_t number = 0;    // a dword line's number
        int byteCount = -1;     // GetHexData's result; the bytes are in m_lineData
        std::string text;       // a string line's string
    };
    LineReading m_reading;
    bool m_lastFound = false;
    Diagnostics* m_diagnostics = nullptr;
};

}  // namespace zevo
