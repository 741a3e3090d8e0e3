#include "cli/OneFileCard.h"

#include "sim/ReaderBinding.h"

OneFileCard::OneFileCard(uint16_t id, const std::vector<uint8_t>& record)
    : card_(imageWith(id, record)), service_(card_)
{
    ReaderBinding::setService(&service_);
}

OneFileCard::~OneFileCard() { ReaderBinding::setService(nullptr); }

CardImage OneFileCard::imageWith(uint16_t id, const std::vector<uint8_t>& record)
{
    CardImage image = CardImage::blank(1, 1);
    ElementaryFile file = ElementaryFile::records(id, CardImage::kTelecom, 1, static_cast<uint8_t>(record.size()));
    file.body = record;
    if (ElementaryFile* existing = image.find(id)) *existing = file;
    else image.files.push_back(file);
    return image;
}
