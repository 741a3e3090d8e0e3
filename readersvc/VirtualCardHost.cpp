#include "readersvc/VirtualCardHost.h"

#include "vsim/CardImageFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

std::unique_ptr<VirtualCardHost> VirtualCardHost::fromEnvironment()
{
    const char* path = std::getenv("QUILLON_VIRTUAL_CARD");
    if (!path || !*path) return nullptr;
    CardImage image;
    std::string error;
    if (!CardImageFile::load(path, image, error)) {
        std::fprintf(stderr, "QUILLON_VIRTUAL_CARD: %s\n", error.c_str());
        return nullptr;
    }
    const char* save = std::getenv("QUILLON_VIRTUAL_CARD_SAVE");
    return std::make_unique<VirtualCardHost>(std::move(image), path, save && std::string(save) == "1");
}

VirtualCardHost::VirtualCardHost(CardImage image, std::string path, bool saveBack)
    : HostedCard{VirtualCard(std::move(image))}, VirtualReaderService(card), path_(std::move(path)),
      saveBack_(saveBack)
{
}

void VirtualCardHost::followRemovalFile()
{
    struct stat st {};
    const bool removed = ::stat((path_ + ".removed").c_str(), &st) == 0;
    if (removed == removed_) return;
    removed_ = removed;
    if (removed)
        removeCard();
    else
        insertCard();
}

uint32_t VirtualCardHost::qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                                    uint32_t* card, uint32_t* activeProtocol)
{
    followRemovalFile();
    return VirtualReaderService::qvConnect(context, reader, shareMode, protocols, card, activeProtocol);
}

uint32_t VirtualCardHost::qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response,
                                   uint32_t* responseLength)
{
    followRemovalFile();
    uint32_t r = VirtualReaderService::qvDoApdu(command, length, response, responseLength);
    withCard([this](VirtualCard& c) {
        saveIfChanged(c);
        return 0;
    });
    return r;
}

void VirtualCardHost::saveIfChanged(VirtualCard& c)
{
    if (!saveBack_ || !c.changed()) return;
    std::string error;
    if (CardImageFile::save(c.image(), path_, error))
        c.markSaved();
    else
        std::fprintf(stderr, "QUILLON_VIRTUAL_CARD: %s\n", error.c_str());
}
