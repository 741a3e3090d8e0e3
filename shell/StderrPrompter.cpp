#include "shell/StderrPrompter.h"

#include "text/CodePage.h"

#include <atomic>
#include <cstdio>

Prompter::Answer StderrPrompter::message(Kind kind, const std::string& caption, const std::string& text)
{
    std::string line = CodePage::toUtf8(caption.empty() ? text : caption + ": " + text);
    std::fprintf(stderr, "%s\n", line.c_str());
    switch (kind) {
    case Kind::Question:
    case Kind::PlainQuestion: return Answer::No;
    case Kind::YesNoCancel: return Answer::Cancel;
    default: return Answer::Ok;
    }
}

std::optional<std::string> StderrPrompter::input(const std::string&, const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> StderrPrompter::openFile(const std::string&, const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> StderrPrompter::saveFile(const std::string&, const std::string&, const std::string&,
                                                    const std::string&)
{
    return std::nullopt;
}

namespace {
std::atomic<Prompter*> installed{nullptr};
}

Prompter& Prompter::current()
{
    static StderrPrompter fallback;
    Prompter* p = installed.load();
    return p ? *p : fallback;
}

void Prompter::setCurrent(Prompter* p) { installed.store(p); }
