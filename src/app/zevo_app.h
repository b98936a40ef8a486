// The application: shows the main dialog modally; the process ends when
// it closes.
#pragma once

namespace zevo {

class CZevoApp {
public:
    // Always false: there is no message loop after the dialog.
    bool InitInstance();
};

}  // namespace zevo
