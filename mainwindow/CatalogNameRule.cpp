#include "mainwindow/CatalogNameRule.h"

#include "text/CodePage.h"

bool CatalogNameRule::allowedByte(unsigned char b)
{
    if (b >= 0x80) return true;
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
    return b == '-' || b == '.' || b == '_' || b == '~';
}

bool CatalogNameRule::allowed(std::string_view name)
{
    if (name.empty()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (CodePage::isLeadByte(b) && i + 1 < name.size()) {
            ++i;  // a double-byte character is always allowed, whatever its trail byte
            continue;
        }
        if (!allowedByte(b)) return false;
    }
    return true;
}
