#pragma once
#include <string>

class QMainWindow;
struct FormWidgets;

// What the files beside the program add to the window: the company line and the window
// caption from "Company.ini", the title picture "Logo.bmp" and the help menu item.
class FormBranding {
public:
    static constexpr const char* kDefaultCompany = "Corvane Labs, Inc.";

    // `dir` ends with "/".
    static void applyCompany(QMainWindow* window, FormWidgets& w, const std::string& dir);
    static void loadLogo(FormWidgets& w, const std::string& dir);
    // Shows the help item and its separator when the help file exists.
    static void showHelpItem(FormWidgets& w, const std::string& helpFile);
};
