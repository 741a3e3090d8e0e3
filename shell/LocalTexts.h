#pragma once
#include "shell/FormTextSource.h"
#include "shell/HintFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

// The localised texts of the program: the language code, the language file beside the program,
// the numbered message texts (hint 1 ... 130) and the captions of each window. Texts are ANSI
// bytes in the process code page. One process-wide instance serves every window:
//     LocalTexts::current().hint(79)
//     LocalTexts::current().hintf(11, triesLeft)
class LocalTexts {
public:
    static constexpr int maxHints = 130;
    static constexpr const char* mainSection = "FormSimCard";

    // How a dialog finds its language file.
    enum class DialogRule {
        Standard,       // file of the current code, else the file of code "2"; "#13" breaks lines
        CurrentPathRaw  // the path the main window chose, unchanged; "#13" stays as typed
    };

    // Texts of the start-up message (shown before any window exists).
    struct StartupMessage {
        std::string caption;
        std::string text;
    };

    static LocalTexts& current();

    // Main window loading: code from the language id (or install.log), help file, language file
    // with its fallback to code "2", then the numbered texts. `appDir` ends with "/".
    void load(const std::string& appDir, uint16_t langId);
    // The same for the running program: application directory and system language.
    void load();
    // Back to the state before any load (tests).
    void clear();

    const std::string& code() const { return code_; }
    const std::string& textFilePath() const { return path_; }
    const std::string& helpFile() const { return helpFile_; }
    // True when a language file was found and read.
    bool fileLoaded() const { return file_ != nullptr; }

    // The localised main window caption ("Quillon" until one is applied), also the caption of
    // the progress dialog.
    const std::string& applicationTitle() const { return applicationTitle_; }
    void setApplicationTitle(std::string title) { applicationTitle_ = std::move(title); }

    // Numbered text n (1 ... 130); empty before loading, without a file, or out of range.
    std::string hint(int n) const;
    void setHint(int n, std::string text);
    // Numbered text n used as a format: integers for %d (and the other integer conversions),
    // texts for %s. A file whose format does not fit the arguments gives odd text, never a crash.
    template <class... Args>
    std::string hintf(int n, const Args&... args) const
    {
        return HintFormat::format(hint(n), {toArg(args)...});
    }

    // Captions of the main window (section "FormSimCard").
    FormTextSource mainWindowTexts() const;
    // Captions of a dialog: the section named like the form, read from the file `rule` picks.
    FormTextSource dialogTexts(std::string_view formName, DialogRule rule = DialogRule::Standard) const;

    // The start-up message: file of the start-up code, [FormSIMCard] FormSIMCard and [Hint] hint79.
    static StartupMessage startupMessage(const std::string& appDir, uint16_t langId);

private:
    static HintFormat::Arg toArg(const std::string& s) { return s; }
    static HintFormat::Arg toArg(std::string_view s) { return std::string(s); }
    static HintFormat::Arg toArg(const char* s) { return std::string(s ? s : ""); }
    template <class T>
    static HintFormat::Arg toArg(const T& v) requires std::is_integral_v<T>
    {
        return static_cast<long long>(v);
    }

    void readHints(const IniFile& file);
    // The language file of `code` in `appDir`, else that of code "2"; "" when neither exists.
    static std::string existingTextFile(const std::string& appDir, std::string_view code);

    std::string appDir_;
    std::string code_;
    std::string path_;
    std::string helpFile_;
    std::string applicationTitle_ = "Quillon";
    std::shared_ptr<const IniFile> file_;
    std::array<std::string, maxHints + 1> hints_{};
};
