#include "console/console_view.h"

#include "console/json.h"
#include "console/lint_output.h"

namespace zevo {

namespace {

const char* EventName(RunEvent::Kind kind)
{
    switch (kind) {
    case RunEvent::Kind::ValueDiffers:
        return "value-differs";
    case RunEvent::Kind::ValueWritten:
        return "value-written";
    case RunEvent::Kind::ValueDeleted:
        return "value-deleted";
    case RunEvent::Kind::KeyDeleted:
        return "key-deleted";
    case RunEvent::Kind::ValueShouldBeAbsent:
        return "value-should-be-absent";
    case RunEvent::Kind::KeyShouldBeAbsent:
        return "key-should-be-absent";
    case RunEvent::Kind::FileOperation:
        return "file-operation";
    case RunEvent::Kind::NotCarriedOut:
        return "not-carried-out";
    case RunEvent::Kind::Text:
        return "text";
    case RunEvent::Kind::Problem:
        return "problem";
    case RunEvent::Kind::CannotCheck:
        return "cannot-check";
    }
    return "";
}

// The way a data file names a value: "@" for the default value.
std::string ValueLabel(const std::string& name)
{
    return name.empty() ? "@" : "\"" + name + "\"";
}

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

}  // namespace

ConsoleView::ConsoleView(RunState& state, ConsolePlatform& platform, bool verify, bool json)
    : m_state(state), m_platform(platform), m_out(platform.out), m_verify(verify), m_json(json)
{
}

void ConsoleView::UpdateDisplay()
{
    // An apply prints the changed-items list (the log's lines) as it grows;
    // a new run starts it again.
    const std::string& items = m_state.m_strChangedItems;
    if (items.size() < m_itemsPrinted)
        m_itemsPrinted = 0;
    if (m_verify || m_json)
        return;
    for (size_t end; (end = items.find('\n', m_itemsPrinted)) != std::string::npos;) {
        // One buffer for every line: a long run prints a line per value.
        m_line.assign(items, m_itemsPrinted, end - m_itemsPrinted);
        while (!m_line.empty() && m_line.back() == '\r')
            m_line.pop_back();
        m_line.push_back('\n');
        m_out.Out(m_line);
        m_itemsPrinted = end + 1;
    }
}

std::string ConsoleView::ToConsole(const MixedText& text)
{
    std::string bytes;
    for (const MixedText::Piece& piece : text.Pieces())
        bytes += piece.program ? m_out.FromProgram(piece.bytes) : piece.bytes;
    return WithoutLineEnd(bytes);
}

bool ConsoleView::ConfirmBox(const MixedText& text, const MixedText& caption)
{
    ConsoleInput* input = m_platform.input;
    if (input == nullptr || !input->IsConsole()) {
        m_out.Err("zevoc: " + ToConsole(caption) + ": " + ToConsole(text) +
                  " - not asked, standard input is not a console; the run goes on\n");
        return false;
    }
    m_out.Err(ToConsole(caption) + ": " + ToConsole(text) + " [OK/Cancel] ");
    std::string answer;
    if (!input->ReadLine(answer))
        return false;
    answer = WithoutLineEnd(answer);
    return answer == "OK" || answer == "ok" || answer == "Ok";
}

RunTime ConsoleView::LocalTime()
{
    return m_platform.process->LocalTime();
}

void ConsoleView::StartProgram(const std::string& commandLine)
{
    m_platform.process->StartProgram(commandLine);
}

void ConsoleView::Event(const RunEvent& event)
{
    switch (event.kind) {
    case RunEvent::Kind::ValueDiffers:
    case RunEvent::Kind::ValueShouldBeAbsent:
    case RunEvent::Kind::KeyShouldBeAbsent:
        ++m_differences;
        break;
    case RunEvent::Kind::NotCarriedOut:
        ++m_notCarriedOut;
        break;
    case RunEvent::Kind::ValueWritten:
        ++m_valuesWritten;
        break;
    case RunEvent::Kind::ValueDeleted:
        ++m_valuesDeleted;
        break;
    case RunEvent::Kind::KeyDeleted:
        ++m_keysDeleted;
        break;
    case RunEvent::Kind::FileOperation:
        ++m_fileOperations;
        break;
    case RunEvent::Kind::Text:
        break;
    case RunEvent::Kind::CannotCheck:
        m_cannotCheck = true;
        ++m_problems;
        break;
    case RunEvent::Kind::Problem:
        ++m_problems;
        break;
    }
    if (m_json)
        PrintEventJson(event);
    PrintEventText(event);
}

std::string ConsoleView::Place(const RunEvent& event) const
{
    return event.file.empty() ? std::string("zevoc: ")
                              : event.file + ":" + std::to_string(event.line) + ": ";
}

void ConsoleView::PrintEventText(const RunEvent& event)
{
    const bool message = event.kind == RunEvent::Kind::Text || event.kind == RunEvent::Kind::Problem ||
                         event.kind == RunEvent::Kind::CannotCheck;
    // Messages go to standard error in every mode; the rest is the text
    // report of a verify (an apply prints its list instead).
    if (!message && (!m_verify || m_json))
        return;
    const std::string place = Place(event);
    switch (event.kind) {
    case RunEvent::Kind::Text:
        m_out.Err(place + ToConsole(event.text) + "\n");
        return;
    case RunEvent::Kind::Problem:
        m_out.Err(place + (m_verify ? "warning: " : "") + ToConsole(event.text) + "\n");
        return;
    case RunEvent::Kind::CannotCheck:
        m_out.Err(place + "error: " + ToConsole(event.text) + "\n");
        return;
    default:
        break;
    }
    const std::string where = place + "[" + event.key + "]";
    switch (event.kind) {
    case RunEvent::Kind::ValueDiffers:
        m_out.Out(where + " " + ValueLabel(event.name) + ": registry " +
                  (event.missing ? "missing" : event.registryData) + "; file " + event.fileData + "\n");
        break;
    case RunEvent::Kind::ValueShouldBeAbsent:
        m_out.Out(where + " " + ValueLabel(event.name) + ": should be absent; registry " +
                  event.registryData + "\n");
        break;
    case RunEvent::Kind::KeyShouldBeAbsent:
        m_out.Out(where + ": key should be absent\n");
        break;
    case RunEvent::Kind::NotCarriedOut:
        m_out.Out(place + "not carried out: " + ToConsole(event.text) + "\n");
        break;
    default:
        break;
    }
}

void ConsoleView::PrintEventJson(const RunEvent& event)
{
    auto text = [this](const std::string& bytes) { return JsonQuote(m_out.DataToUtf8(bytes)); };
    std::string json = "{\"event\":" + JsonQuote(EventName(event.kind));
    if (!event.file.empty())
        json += ",\"file\":" + text(event.file) + ",\"line\":" + std::to_string(event.line);
    if (!event.key.empty())
        json += ",\"key\":" + text(event.key);
    switch (event.kind) {
    case RunEvent::Kind::ValueDiffers:
        json += ",\"name\":" + text(event.name) + ",\"registry\":" +
                (event.missing ? std::string("null") : text(event.registryData)) +
                ",\"data\":" + text(event.fileData);
        break;
    case RunEvent::Kind::ValueWritten:
    case RunEvent::Kind::ValueDeleted:
        json += ",\"name\":" + text(event.name);
        break;
    case RunEvent::Kind::ValueShouldBeAbsent:
        json += ",\"name\":" + text(event.name) + ",\"registry\":" + text(event.registryData);
        break;
    case RunEvent::Kind::NotCarriedOut:
    case RunEvent::Kind::Text:
    case RunEvent::Kind::Problem:
    case RunEvent::Kind::CannotCheck:
        json += ",\"message\":" + JsonQuote(m_out.DataToUtf8(ToConsole(event.text)));
        break;
    default:
        break;
    }
    m_out.Out(json + "}\n");
}

void ConsoleView::Warn(const std::vector<Finding>& findings)
{
    m_out.Err(FindingsAsText(findings, m_out));
    m_problems += static_cast<int>(findings.size());
}

int ConsoleView::PrintSummary(bool restartWanted, bool strict)
{
    if (m_verify) {
        const int code = m_cannotCheck || (strict && m_problems > 0) ? kExitCannotRun
                         : m_differences > 0                         ? kExitFound
                                                                     : kExitDone;
        if (m_json) {
            m_out.Out("{\"summary\":{\"differences\":" + std::to_string(m_differences) +
                      ",\"notCarriedOut\":" + std::to_string(m_notCarriedOut) +
                      ",\"warnings\":" + std::to_string(m_problems) +
                      ",\"exitCode\":" + std::to_string(code) + "}}\n");
        } else {
            m_out.Out("summary: differences " + std::to_string(m_differences) + ", not carried out " +
                      std::to_string(m_notCarriedOut) + ", warnings " + std::to_string(m_problems) + "\n");
        }
        return code;
    }
    const int code = m_problems > 0 ? kExitFound : restartWanted ? kExitRestartRequired : kExitDone;
    if (restartWanted)
        m_out.Err("zevoc: the data file asks for a restart of Windows; not restarted here (exit code 3010)\n");
    if (m_json) {
        m_out.Out("{\"summary\":{\"valuesWritten\":" + std::to_string(m_valuesWritten) +
                  ",\"valuesDeleted\":" + std::to_string(m_valuesDeleted) +
                  ",\"keysDeleted\":" + std::to_string(m_keysDeleted) +
                  ",\"fileOperations\":" + std::to_string(m_fileOperations) +
                  ",\"problems\":" + std::to_string(m_problems) + ",\"changed\":" +
                  (m_valuesWritten + m_valuesDeleted + m_keysDeleted + m_fileOperations > 0 ? "true" : "false") +
                  ",\"restartRequired\":" + (restartWanted ? "true" : "false") +
                  ",\"exitCode\":" + std::to_string(code) + "}}\n");
    } else {
        m_out.Out("summary: values written " + std::to_string(m_valuesWritten) + ", values deleted " +
                  std::to_string(m_valuesDeleted) + ", keys deleted " + std::to_string(m_keysDeleted) +
                  ", file operations " + std::to_string(m_fileOperations) + ", problems " +
                  std::to_string(m_problems) + "\n");
    }
    return code;
}

}  // namespace zevo
