#pragma once
#include "store/IniFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The localised texts of one window: the keys of its section in the language file. Values are
// ANSI bytes; "#13" in a value stands for a line break (a CR) unless the window keeps it as typed.
class FormTextSource {
public:
    // No language file: every look-up misses and the window keeps its built-in texts.
    FormTextSource() = default;
    FormTextSource(std::shared_ptr<const IniFile> file, std::string section, bool breakLines);

    bool loaded() const { return file_ != nullptr; }
    const std::string& section() const { return section_; }
    bool breaksLines() const { return breakLines_; }

    // The value of `key` in the window's section; nullopt when the file or the key is missing.
    std::optional<std::string> text(std::string_view key) const;
    // The value of `key`, or `def` when it is missing; "#13" is replaced in either.
    std::string text(std::string_view key, std::string_view def) const;

    // Replaces every "#13" by a CR.
    static std::string breakLines(std::string_view value);

private:
    std::shared_ptr<const IniFile> file_;
    std::string section_;
    bool breakLines_ = true;
};
