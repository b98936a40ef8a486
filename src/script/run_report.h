// What a run did, event by event, for a front end that reports it in its own
// form (the console program). The dialog shows the run state instead and
// passes no report.
#pragma once

#include <string>

#include "common/mixed_text.h"

namespace zevo {

struct RunEvent {
    enum class Kind {
        ValueDiffers,    // a value line whose value the registry does not hold
        ValueWritten,
        ValueDeleted,
        KeyDeleted,
        ValueShouldBeAbsent,  // a deletion that a check found something for
        KeyShouldBeAbsent,
        FileOperation,   // a copy, deletion, new or removed folder that was done
        NotCarriedOut,   // a directive a read-only run leaves alone
        Text,            // a "/*" text
        Problem,         // a failure, also those the message pane does not show
        CannotCheck,     // the data file or an existing key cannot be read
    };
    Kind kind = Kind::Problem;
    std::string file;  // the data file and line; empty and 0 when there is none
    int line = 0;
    std::string key;   // root\path of the key (for deletions of keys: the key deleted)
    std::string name;  // the value's name ("" for the default value)
    bool missing = false;       // the registry has no such value (or key)
    std::string registryData;   // display forms, as the panes show them
    std::string fileData;
    MixedText text;             // Text and Problem: the message, without file and line
};

class RunReport {
public:
    virtual ~RunReport() = default;
    virtual void Event(const RunEvent& event) = 0;
};

}  // namespace zevo
