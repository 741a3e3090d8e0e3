#include "ketter/KetterOutput.h"

#include <cstdio>
#include <cstdlib>

namespace {

void toStderr(KetterOutput::Channel channel, const std::string& caption, const std::string& text)
{
    if (channel == KetterOutput::Channel::Debug) {
        const char* on = std::getenv("QUILLON_KETTER_DEBUG");
        if (!on || !*on) return;
        std::fputs(text.c_str(), stderr);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

KetterOutput::Sink sink = toStderr;

}  // namespace

void KetterOutput::errorBox(const std::string& caption, const std::string& text) { sink(Channel::ErrorBox, caption, text); }
void KetterOutput::debug(const std::string& text) { sink(Channel::Debug, {}, text); }
void KetterOutput::setSink(Sink s) { sink = s ? s : toStderr; }
