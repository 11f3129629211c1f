// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Tavlin Solitaire: the main window is the whole start-up; the program ends with its last window.
// The two options are answered before Qt starts, so that they work where there is no display.
#include "application.h"
#include "frmMain.h"
#include "tavlin_version.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

namespace {

// The exit status for a command line the game does not start with, or -1 to start it.
int answerCommandLine(int argc, char *argv[])
{
    if (argc == 1)
        return -1;
    const std::string_view option = argv[1];
    if (argc == 2 && option == "--version") {
        std::printf("Tavlin Solitaire %s\n", tavlin::version::Text);
        return 0;
    }
    if (argc == 2 && option == "--help") {
        std::printf("Usage: tavlin [--help | --version]\n"
                    "Marble solitaire on the 33-hole cross board. Without an option it opens the "
                    "game.\n"
                    "  --help     print this help and exit\n"
                    "  --version  print the name and version and exit\n");
        return 0;
    }
    // Names the first argument that is not a lone --help or --version.
    const bool known = option == "--version" || option == "--help";
    std::fprintf(stderr, "tavlin: unexpected argument '%s' (try --help)\n", argv[known ? 2 : 1]);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int status = answerCommandLine(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    tavlin::installApplicationDetails();
    auto *main = new tavlin::frmMain;
    main->show();
    return app.exec();
}
