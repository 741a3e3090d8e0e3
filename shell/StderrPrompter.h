#pragma once
#include "shell/Prompter.h"

// Prompter for programs without windows: prints messages to stderr and answers
// every question with its safe default (No, Cancel).
class StderrPrompter : public Prompter {
public:
    Answer message(Kind kind, const std::string& caption, const std::string& text) override;
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override;
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&) override;
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&,
                                        const std::string&) override;
    bool chooseFont(FontSpec&) override { return false; }
    bool openDocument(const std::string&) override { return false; }
    void beep() override {}
};
