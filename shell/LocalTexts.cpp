#include "shell/LocalTexts.h"

#include "shell/AppPaths.h"
#include "shell/LanguageCode.h"
#include "sim/Ucs2Text.h"

#include <sys/stat.h>

#include <algorithm>

namespace {

bool fileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::shared_ptr<const IniFile> openReadOnly(const std::string& path)
{
    auto file = std::make_shared<IniFile>(path);
    file->setAutoSave(false);
    return file;
}

}  // namespace

LocalTexts& LocalTexts::current()
{
    static LocalTexts texts;
    return texts;
}

void LocalTexts::clear() { *this = LocalTexts(); }

void LocalTexts::load() { load(AppPaths::applicationDir(), LanguageCode::systemLangId()); }

void LocalTexts::load(const std::string& appDir, uint16_t langId)
{
    clear();
    appDir_ = appDir;
    code_ = LanguageCode::windowCode(langId);
    {
        IniFile install(appDir + "install.log");
        install.setAutoSave(false);
        code_ = install.readString("Vars", "language", code_);
        helpFile_ = appDir + install.readString("Vars", "HelpSimCard", LanguageCode::helpFileName(code_));
    }
    path_ = appDir + LanguageCode::textFileName(code_);
    if (!fileExists(path_)) {
        code_ = LanguageCode::fallback;
        path_ = appDir + LanguageCode::textFileName(code_);
        helpFile_ = appDir + LanguageCode::helpFileName(code_);
    }
    Ucs2Text::setLanguageCode(code_);  // the card's 81 name format depends on it
    if (!fileExists(path_)) return;
    file_ = openReadOnly(path_);
    readHints(*file_);
}

void LocalTexts::readHints(const IniFile& file)
{
    long long total = std::min<long long>(file.readInteger("Hint", "Total", maxHints), maxHints);
    for (int i = 1; i <= total; ++i) {
        std::string number = std::to_string(i);
        hints_[static_cast<size_t>(i)] = FormTextSource::breakLines(file.readString("Hint", "Hint" + number, number + " ??"));
    }
}

std::string LocalTexts::hint(int n) const
{
    if (n < 1 || n > maxHints) return {};
    return hints_[static_cast<size_t>(n)];
}

void LocalTexts::setHint(int n, std::string text)
{
    if (n >= 1 && n <= maxHints) hints_[static_cast<size_t>(n)] = std::move(text);
}

FormTextSource LocalTexts::mainWindowTexts() const
{
    if (!file_) return {};
    return FormTextSource(file_, mainSection, true);
}

FormTextSource LocalTexts::dialogTexts(std::string_view formName, DialogRule rule) const
{
    if (rule == DialogRule::CurrentPathRaw)
        return path_.empty() ? FormTextSource() : FormTextSource(openReadOnly(path_), std::string(formName), false);
    std::string path = existingTextFile(appDir_.empty() ? AppPaths::applicationDir() : appDir_, code_);
    if (path.empty()) return {};
    return FormTextSource(openReadOnly(path), std::string(formName), true);
}

std::string LocalTexts::existingTextFile(const std::string& appDir, std::string_view code)
{
    std::string path = appDir + LanguageCode::textFileName(code);
    if (fileExists(path)) return path;
    path = appDir + LanguageCode::textFileName(LanguageCode::fallback);
    return fileExists(path) ? path : std::string();
}

LocalTexts::StartupMessage LocalTexts::startupMessage(const std::string& appDir, uint16_t langId)
{
    IniFile file(appDir + LanguageCode::textFileName(LanguageCode::startupCode(langId)));
    file.setAutoSave(false);
    return {FormTextSource::breakLines(file.readString("FormSIMCard", "FormSIMCard")),
            FormTextSource::breakLines(file.readString("Hint", "hint79"))};
}
