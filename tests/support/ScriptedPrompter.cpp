#include "tests/support/ScriptedPrompter.h"

namespace {
template <typename T>
T take(std::deque<T>& queue, T fallback)
{
    if (queue.empty()) return fallback;
    T v = queue.front();
    queue.pop_front();
    return v;
}
}  // namespace

Prompter::Answer ScriptedPrompter::message(Kind kind, const std::string& caption, const std::string& text)
{
    shown.push_back({kind, caption, text});
    bool question = kind == Kind::Question || kind == Kind::PlainQuestion || kind == Kind::YesNoCancel;
    return take(answers, question ? Answer::Yes : Answer::Ok);
}

std::optional<std::string> ScriptedPrompter::input(const std::string& caption, const std::string&,
                                                   const std::string&)
{
    prompts.push_back(caption);
    return take(inputs, std::optional<std::string>());
}

std::optional<std::string> ScriptedPrompter::openFile(const std::string& caption, const std::string&,
                                                      const std::string&)
{
    prompts.push_back(caption);
    return take(files, std::optional<std::string>());
}

std::optional<std::string> ScriptedPrompter::saveFile(const std::string& caption, const std::string&,
                                                      const std::string&, const std::string&)
{
    prompts.push_back(caption);
    return take(files, std::optional<std::string>());
}

bool ScriptedPrompter::chooseFont(FontSpec& font)
{
    auto f = take(fonts, std::optional<FontSpec>());
    if (!f) return false;
    font = *f;
    return true;
}

bool ScriptedPrompter::openDocument(const std::string& path)
{
    documents.push_back(path);
    return true;
}
