#pragma once

class QApplication;

// The program's start-up sequence: reader service, log, directories, presence check,
// single instance, main window, event loop.
class StartUp {
public:
    // Runs the program; the result is the process exit code.
    static int run(QApplication& app);
    // Loads the reader service library beside the program; false after the message was shown.
    static bool loadReaderService();
};
