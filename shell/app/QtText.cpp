#include "shell/app/QtText.h"

#include "text/CodePage.h"

QString toQ(const std::string& ansi)
{
    std::u16string u = CodePage::toUtf16(ansi);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

std::string fromQ(const QString& text)
{
    return CodePage::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                   static_cast<size_t>(text.size())));
}
