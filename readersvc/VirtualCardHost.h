#pragma once
#include "vsim/VirtualCard.h"
#include "vsim/VirtualReaderService.h"

#include <memory>
#include <string>

// Holds the card of a VirtualCardHost; a base so that it is built before the reader service.
struct HostedCard {
    VirtualCard card;
};

// The virtual reader the library serves in-process when QUILLON_VIRTUAL_CARD names a card
// image: the card loaded from that file and, when QUILLON_VIRTUAL_CARD_SAVE=1, written back to
// it after every command that changed it. While a file named like the image plus ".removed"
// exists, the card counts as taken out of the reader; deleting the file puts it back.
class VirtualCardHost : private HostedCard, public VirtualReaderService {
public:
    // Loads the image named by the environment; nullptr when none is named or it does not load
    // (the reason is written to standard error).
    static std::unique_ptr<VirtualCardHost> fromEnvironment();
    VirtualCardHost(CardImage image, std::string path, bool saveBack);

    uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                       uint32_t* card, uint32_t* activeProtocol) override;
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override;

private:
    void saveIfChanged(VirtualCard& c);
    // Takes the card out or puts it back as the removal file says.
    void followRemovalFile();

    bool removed_ = false;

    std::string path_;
    bool saveBack_;
};
