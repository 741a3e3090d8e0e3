#pragma once
#include "tests/support/ScratchDir.h"

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

// Runs the built quillon-card with arguments and environment settings; keeps what it printed.
struct CardToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;

    static CardToolRun of(const std::vector<std::string>& args, const std::string& environment = "TZ=UTC")
    {
        ScratchDir scratch;
        std::string command = environment + " '" + QUILLON_BIN_DIR + "/quillon-card'";
        for (const std::string& a : args) command += " " + quoted(a);
        command += " 2>'" + scratch.file("err") + "'";
        CardToolRun run;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
            const int status = pclose(pipe);
            run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        run.err = scratch.read("err");
        return run;
    }

    // The value of `key` in the output ("<missing>" when absent).
    std::string value(const std::string& key) const
    {
        const std::string prefix = key + "=";
        for (size_t start = 0; start < out.size();) {
            const size_t end = out.find('\n', start);
            const std::string line = out.substr(start, end - start);
            if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return "<missing>";
    }

    static std::string quoted(const std::string& s)
    {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
};
