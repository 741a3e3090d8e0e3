#pragma once
#include <string>

// Where the library's few texts go. It has no window: error boxes are printed on stderr as
// "caption: text"; debugger lines go to stderr only when QUILLON_KETTER_DEBUG is set.
// Tests install a sink to read them.
class KetterOutput {
public:
    enum class Channel { ErrorBox, Debug };
    using Sink = void (*)(Channel channel, const std::string& caption, const std::string& text);

    static void errorBox(const std::string& caption, const std::string& text);
    static void debug(const std::string& text);
    // nullptr restores the default.
    static void setSink(Sink sink);
};
