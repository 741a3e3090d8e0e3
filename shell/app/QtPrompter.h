#pragma once
#include "shell/Prompter.h"

#include <QString>

class QWidget;

// Prompter over Qt's standard dialogs. Texts arrive in the ANSI code page and are converted here.
class QtPrompter : public Prompter {
public:
    // `parent`: window the dialogs belong to (may change as windows come and go).
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(Kind kind, const std::string& caption, const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& directory) override;
    std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                        const std::string& directory, const std::string& name) override;
    bool chooseFont(FontSpec& font) override;
    bool openDocument(const std::string& path) override;
    void beep() override;

    // "Text files|*.txt|All|*" -> "Text files (*.txt);;All (*)".
    static QString qtFilter(const std::string& filter);

private:
    QWidget* parent_ = nullptr;
};
