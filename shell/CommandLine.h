// The program's command line: files to open and the start-up switches.
#pragma once

#include <QStringList>

namespace shell {

struct StartupRequest {
    enum class Mode {
        Normal,      // show the main window, open the files (or a new document)
        RegServer,   // write the desktop integration, then end
        UnregServer, // remove it, then end
        Embedding,   // started by the desktop for its object: no window
        Help,        // print the usage, then end
        Version,     // print the version, then end
    };
    Mode mode = Mode::Normal;
    QStringList files;
};

// Only whole arguments are switches: "/RegServer", "-RegServer" or
// "--RegServer" (likewise UnregServer, Embedding, Automation), in any case.
// A registration switch counts only as the last argument; followed by more
// text it is not one. Every other argument, an absolute path such as
// /home/me/radio.rdf included, is a file to open. "--help" and "--version",
// written just so, print the usage or the version and end the program.
StartupRequest ParseCommandLine(const QStringList& arguments);

// What "--help" prints.
QString UsageText();
// What "--version" prints: the program's name and version.
QString VersionText(const QString& version);

} // namespace shell
