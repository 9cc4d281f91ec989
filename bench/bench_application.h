// The GUI application that fonts and drawing need in a benchmark program: one for the
// whole run, with the program's music fonts, on the offscreen platform unless another is
// asked for. It is left to the end of the process (taking it down among the other static
// objects at exit is not safe).
#pragma once

#include <cstdlib>
#include <filesystem>

#include "platform/font_resources.h"

namespace bench {

// `App` is QGuiApplication, or QApplication where widgets are drawn.
template <class App>
void EnsureApplication(const char* programName)
{
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    static App* app = nullptr;
    if (app == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new App(argc, argv);
        platform::AddFontResource(std::filesystem::path(BRINDLE_DATA_DIR) / "fonts" /
                                  "Tansy.ttc");
    }
}

}  // namespace bench
