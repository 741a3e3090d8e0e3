#include "shell/ReaderPresenceCheck.h"

#include "shell/AppPaths.h"
#include "shell/KetterLibrary.h"
#include "shell/LanguageCode.h"
#include "shell/Log.h"
#include "shell/Prompter.h"
#include "store/IniFile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

const char* describe(ReaderPresenceCheck::Outcome outcome)
{
    switch (outcome) {
    case ReaderPresenceCheck::Outcome::ReaderPresent: return "reader present";
    case ReaderPresenceCheck::Outcome::NoReader: return "no reader";
    case ReaderPresenceCheck::Outcome::LibraryMissing: return "reader library not loaded";
    case ReaderPresenceCheck::Outcome::LibraryIncomplete: return "reader library incomplete";
    }
    return "";
}

bool installLogAllows(const std::string& dir)
{
    std::string path = dir + "install.log";
    if (!std::filesystem::exists(path)) return false;
    IniFile install(path);
    install.setAutoSave(false);
    return install.readInteger("Vars", "AnyReader", 0) == 1;
}

}  // namespace

bool ReaderPresenceCheck::anyReaderAllowed()
{
    const char* env = std::getenv("QUILLON_ANY_READER");
    if (env && std::strcmp(env, "1") == 0) return true;
    return installLogAllows(AppPaths::dataDir()) || installLogAllows(AppPaths::applicationDir());
}

ReaderPresenceCheck::Outcome ReaderPresenceCheck::probe(const std::string& libraryPath)
{
    KetterLibrary library;
    switch (library.load(libraryPath)) {
    case KetterLibrary::LoadResult::NotLoadable:
        Log::line("Load Ketter error: " + library.error());
        return Outcome::LibraryMissing;
    case KetterLibrary::LoadResult::Incomplete:
        Log::line("Load Ketter error: " + library.error());
        return Outcome::LibraryIncomplete;
    default: break;
    }
    return library.readerPresent() ? Outcome::ReaderPresent : Outcome::NoReader;
}

void ReaderPresenceCheck::showNoReaderMessage()
{
    std::string code = LanguageCode::startupCode(LanguageCode::systemLangId());
    IniFile texts(AppPaths::applicationDir() + LanguageCode::textFileName(code));
    texts.setAutoSave(false);
    std::string caption = texts.readString("FormSIMCard", "FormSIMCard", "Tolmar");
    std::string text = texts.readString("Hint", "hint79", "Please plug in device!");
    Prompter::current().message(Prompter::Kind::Plain, caption, text);
}

bool ReaderPresenceCheck::run(const std::string& libraryPath)
{
    Outcome outcome = probe(libraryPath);
    if (outcome == Outcome::ReaderPresent) return true;
    if (anyReaderAllowed()) {
        Log::line(std::string("Reader check: ") + describe(outcome) + ", AnyReader set, going on");
        return true;
    }
    if (outcome == Outcome::NoReader)
        showNoReaderMessage();
    else
        Prompter::current().message(Prompter::Kind::Plain, "Warning", "Get Ketter.dll error!");
    return false;
}

bool ReaderPresenceCheck::run() { return run(AppPaths::systemDir() + kLibraryName); }
