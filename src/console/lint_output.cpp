#include "console/lint_output.h"

#include <cstdio>
#include <iterator>

#include "console/json.h"

namespace zevo {

namespace {

struct Rule {
    const char* id;
    const char* description;
};

const Rule kRules[] = {
    {"line-too-long", "A line of more than 127,999 bytes is refused whole."},
    {"nul-byte", "A line holding a NUL byte is refused whole."},
    {"after-ctrl-z", "A Ctrl-Z ends the file; the text after it is never read."},
    {"utf16-file", "A UTF-16 file: every line holds NUL bytes and is refused."},
    {"utf8-file", "A UTF-8 byte order mark is read as text of the first line."},
    {"regedit5-file", "A registry editor 5 file is read as REGEDIT4."},
    {"commented-value", "A ';' line holding '=' is carried out as a value line."},
    {"ignored-line", "A line of no kind the reader knows is skipped."},
    {"line-continues", "A value line ending with a backslash takes in the next line."},
    {"unfinished-entry", "The file ends inside a value, which is dropped."},
    {"string-swallows-lines", "A string not closed at the end of its line takes in the following lines."},
    {"broken-backslash", "A value line with a single backslash is dropped."},
    {"key-closing-bracket", "The last character of a key is dropped even when it is no ']'."},
    {"unknown-root", "A root that is none of the six names opens no key."},
    {"key-deletion", "'[-...]' deletes nothing: this format deletes keys with /%=[...]."},
    {"value-without-key", "A line that needs a key where none is open is skipped."},
    {"unquoted-name", "A value line without a quoted name before '=' names another value."},
    {"unknown-value-form", "A value of no known form is never written."},
    {"value-deletion", "'\"name\"=-' deletes nothing: this format deletes values with /%=\"name\"."},
    {"dword-digits", "dword: without eight hex digits writes another number."},
    {"hex-digits", "A list element that is not two hex digits writes another byte."},
    {"hex-blank", "A blank in a byte list counts as a digit."},
    {"hex-trailing-comma", "A byte list ending with a comma has one more byte 00."},
    {"hex-too-long", "A byte list of more than 128,000 bytes is never written."},
    {"string-last-char", "The last character of a string is dropped even when it is no quote."},
    {"unknown-directive", "A directive of no known letter is ignored."},
    {"directive-flag", "A flag or text the directive does not read."},
    {"missing-separator", "The character where a blank belongs is skipped unread."},
    {"missing-argument", "A directive without its quoted arguments is not carried out."},
    {"unterminated-quote", "A directive with an unclosed quote is not carried out."},
    {"empty-argument", "A directive with an empty path is not carried out."},
    {"too-many-arguments", "Only 13 arguments or items are read."},
    {"path-too-long", "A directive with a path of more than 511 bytes is not carried out."},
    {"time-format", "A time that is not HH:MM or HH:MM:SS is read as another time."},
    {"condition-item", "A month or weekday item that never matches."},
    {"condition-empty", "A condition without its items."},
    {"delete-form", "/% that is not /%=\"name\" or /%=[key] does nothing."},
    {"no-key-name", "/%=[root] without a key below the root deletes nothing."},
    {"handover-missing", "/F to a file that does not exist is ignored."},
    {"handover-not-followed", "/F to a path that cannot be checked on this system."},
    {"handover-cycle", "/F to a file the run has read already is refused."},
    {"unread-after-handover", "The lines after a hand-over are never read."},
    {"quit-waits", "/Q waits for a person in a run meant to end by itself."},
};

// The message in the console's code page, or in UTF-8 for JSON.
std::string MessageText(const MixedText& message, ConsoleOutput& out, bool utf8)
{
    std::string text;
    for (const MixedText::Piece& piece : message.Pieces()) {
        if (piece.program)
            text += utf8 ? piece.bytes : out.FromProgram(piece.bytes);
        else
            text += utf8 ? out.DataToUtf8(piece.bytes) : piece.bytes;
    }
    return text;
}

}  // namespace

const char* RuleDescription(const std::string& rule)
{
    for (const Rule& known : kRules) {
        if (rule == known.id)
            return known.description;
    }
    return "";
}

std::string FindingsAsText(const std::vector<Finding>& findings, ConsoleOutput& out)
{
    std::string text;
    for (const Finding& f : findings) {
        text += f.file + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
                out.FromProgram("warning: ") + MessageText(f.message, out, false) + " [" + f.rule + "]\n";
    }
    return text;
}

std::string FindingsAsJsonLines(const std::vector<Finding>& findings, ConsoleOutput& out)
{
    std::string text;
    for (const Finding& f : findings) {
        text += "{\"file\":" + JsonQuote(out.DataToUtf8(f.file)) + ",\"line\":" + std::to_string(f.line) +
                ",\"column\":" + std::to_string(f.column) + ",\"rule\":" + JsonQuote(f.rule) +
                ",\"message\":" + JsonQuote(MessageText(f.message, out, true)) + "}\n";
    }
    return text;
}

std::string FindingsAsSarif(const std::vector<Finding>& findings, ConsoleOutput& out)
{
    std::string text =
        "{\"version\":\"2.1.0\",\"$schema\":\"https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/"
        "schemas/sarif-schema-2.1.0.json\",\"runs\":[{\"tool\":{\"driver\":{\"name\":\"zevoc\",\"rules\":[";
    for (size_t i = 0; i < std::size(kRules); ++i) {
        text += std::string(i > 0 ? "," : "") + "\n{\"id\":" + JsonQuote(kRules[i].id) +
                ",\"shortDescription\":{\"text\":" + JsonQuote(kRules[i].description) + "}}";
    }
    text += "]}},\"results\":[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        text += std::string(i > 0 ? "," : "") + "\n{\"ruleId\":" + JsonQuote(f.rule) +
                ",\"level\":\"warning\",\"message\":{\"text\":" + JsonQuote(MessageText(f.message, out, true)) +
                "},\"locations\":[{\"physicalLocation\":{\"artifactLocation\":{\"uri\":" +
                JsonQuote(PathToUri(out.DataToUtf8(f.file))) + "},\"region\":{\"startLine\":" +
                std::to_string(f.line) + ",\"startColumn\":" + std::to_string(f.column) + "}}}]}";
    }
    return text + "]}]}\n";
}

std::string PathToUri(const std::string& utf8Path)
{
    std::string path = utf8Path;
    for (char& c : path)
        c = c == '\\' ? '/' : c;
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    std::string uri = drive ? "file:///" : path.compare(0, 2, "//") == 0 ? "file:" : path.compare(0, 1, "/") == 0 ? "file://" : "";
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || (drive && i == 1);
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

}  // namespace zevo
