#pragma once
#include <optional>
#include <string>

// Everything that asks the user or shows a message goes through this interface, so tests can
// script the answers and the core never touches a window. Texts are ANSI bytes of the current
// code page (CodePage), like every other text of the core.
class Prompter {
public:
    enum class Kind {
        Plain,          // simple message dialog, OK only
        Warning,        // OK, exclamation icon, topmost
        Question,       // Yes/No, question icon
        PlainQuestion,  // Yes/No without icon
        YesNoCancel,    // Yes/No/Cancel, question icon
        Information,    // OK, information icon
        Error,          // OK, stop icon
    };
    enum class Answer { Ok, Yes, No, Cancel };

    struct FontSpec {
        std::string family;
        int pointSize = 9;
        bool bold = false;
        bool italic = false;
        int charset = 1;
        unsigned color = 0;
    };

    virtual ~Prompter() = default;
    virtual Answer message(Kind kind, const std::string& caption, const std::string& text) = 0;
    // Text input; nullopt when cancelled.
    virtual std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
    // File dialogs; `filter` uses the "Description|*.ext|..." form. nullopt when cancelled.
    virtual std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                                const std::string& directory) = 0;
    virtual std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                                const std::string& directory, const std::string& name) = 0;
    virtual bool chooseFont(FontSpec& font) = 0;
    // Opens a document (help file) with the desktop's viewer.
    virtual bool openDocument(const std::string& path) = 0;
    virtual void beep() = 0;

    // Process-wide prompter; a stderr one until the program or a test installs another.
    static Prompter& current();
    // Installs `p` (not owned); nullptr restores the stderr prompter.
    static void setCurrent(Prompter* p);
};
