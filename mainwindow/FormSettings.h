#pragma once
#include <string>
#include <vector>

class IniFile;

// The settings of the main window, kept in section "FormSimCard" of the settings file.
// Integers are decimal; "0x" hexadecimal is accepted on reading.
struct FormSettings {
    static constexpr const char* kSection = "FormSimCard";
    static constexpr const char* kFileName = "Quillon.INI";

    enum WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

    std::string reader;
    int windowState = Normal;
    int width = 1292;
    int height = 748;
    int simWidth = 388;
    std::vector<int> simColWidths;     // etSim, by data index
    std::vector<int> simMsgColWidths;  // etSimMessage
    std::vector<int> pcColWidths;      // etPhone
    std::vector<int> pcMsgColWidths;   // etPCMessage
    bool pacing = true;

    // Whether the stored state opens the window maximised (any value other than 0 and 1).
    bool opensMaximized() const { return windowState != Normal && windowState != Minimized; }

    // Each value missing from `ini` keeps the one of `defaults` (the design values).
    static FormSettings read(const IniFile& ini, const FormSettings& defaults);
    // Writes every key; Width and Height only when the window is not maximised, so a maximised
    // close keeps the last normal size.
    void write(IniFile& ini) const;

private:
    static std::vector<int> readWidths(const IniFile& ini, const char* prefix, const std::vector<int>& defaults);
    static void writeWidths(IniFile& ini, const char* prefix, const std::vector<int>& widths);
};
