#pragma once
#include "shell/Prompter.h"

#include <deque>
#include <string>
#include <vector>

// Prompter that records every message and answers from queues set up by the test.
// An empty queue gives the default answer: Yes to questions, Ok otherwise, cancel for inputs.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        Kind kind;
        std::string caption;
        std::string text;
    };

    Answer message(Kind kind, const std::string& caption, const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& directory) override;
    std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                        const std::string& directory, const std::string& name) override;
    bool chooseFont(FontSpec& font) override;
    bool openDocument(const std::string& path) override;
    void beep() override { ++beeps; }

    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;  // input boxes
    std::deque<std::optional<std::string>> files;   // open and save dialogs
    std::deque<std::optional<FontSpec>> fonts;
    std::vector<Shown> shown;
    std::vector<std::string> prompts;    // captions of input and file dialogs, in order
    std::vector<std::string> documents;  // opened documents
    int beeps = 0;

    // Text of the last message shown ("" when none).
    std::string lastText() const { return shown.empty() ? std::string() : shown.back().text; }
};
