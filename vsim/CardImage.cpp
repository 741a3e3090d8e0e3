#include "vsim/CardImage.h"

#include <algorithm>

CardImage CardImage::blank(size_t adnCount, size_t smsCount)
{
    CardImage c;
    ElementaryFile iccid = ElementaryFile::transparent(kIccid, kMf, 10);
    iccid.readAccess = ElementaryFile::kAlways;
    iccid.updateAccess = ElementaryFile::kNever;
    c.files.push_back(iccid);
    c.files.push_back(ElementaryFile::records(kAdn, kTelecom, adnCount, 28));
    c.files.push_back(ElementaryFile::records(kExt1, kTelecom, 10, 13));
    c.files.push_back(ElementaryFile::records(kSms, kTelecom, smsCount, 176));
    c.files.push_back(ElementaryFile::records(kMsisdn, kTelecom, 2, 28));
    c.files.push_back(ElementaryFile::records(kSmsp, kTelecom, 2, 40));
    return c;
}

ElementaryFile* CardImage::find(uint16_t id)
{
    auto it = std::find_if(files.begin(), files.end(), [id](const ElementaryFile& f) { return f.id == id; });
    return it == files.end() ? nullptr : &*it;
}

const ElementaryFile* CardImage::find(uint16_t id) const
{
    return const_cast<CardImage*>(this)->find(id);
}

std::vector<uint16_t> CardImage::directories() const
{
    std::vector<uint16_t> dirs{kMf};
    for (const ElementaryFile& f : files)
        if (std::find(dirs.begin(), dirs.end(), f.parent) == dirs.end()) dirs.push_back(f.parent);
    return dirs;
}
