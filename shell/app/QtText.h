#pragma once
#include <QString>

#include <string>

// Conversions between the core's ANSI byte strings and QString, at the widget boundary.
QString toQ(const std::string& ansi);
std::string fromQ(const QString& text);
