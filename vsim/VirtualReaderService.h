#pragma once
#include "sim/ReaderService.h"
#include "vsim/VirtualCard.h"

#include <mutex>
#include <string>

// The reader service with one virtual reader, "Quillon Virtual Reader 0", holding a VirtualCard
// in the same process. It behaves like libQVSIMSC.so: QVConnect gives 0 while the card is in,
// QVSCDoAPDUCmd returns the response data then SW1 SW2, 00 02 00 00 02 00 00 returns the answer
// to reset, and a response larger than the caller's capacity is refused (non-zero), never
// written past it. Calls may come from several threads.
//
//   VirtualCard card(CardImage::blank());
//   VirtualReaderService service(card);
//   ReaderBinding::setService(&service);
//   service.removeCard();  /  service.insertCard();
class VirtualReaderService : public ReaderService {
public:
    static constexpr const char* kReaderName = "Quillon Virtual Reader 0";

    explicit VirtualReaderService(VirtualCard& card, std::string readerName = kReaderName);

    uint32_t initQVSC(void* notify, uint32_t index) override;
    uint32_t freeQVSC() override;
    uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                       uint32_t* card, uint32_t* activeProtocol) override;
    uint32_t qvDisconnect(uint32_t card, uint32_t disposition) override;
    char* qvGetReaderList(char* buffer) override;
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override;

    void insertCard();
    void removeCard();
    const std::string& readerName() const { return name_; }
    // Runs `f` on the card under the service's lock (for checks from another thread).
    template <class F> auto withCard(F f)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(card_);
    }

    static constexpr uint32_t kContext = 0x51C0;
    static constexpr uint32_t kCardHandle = 0x51C1;

private:
    VirtualCard& card_;
    std::string name_;
    std::mutex mutex_;
};
