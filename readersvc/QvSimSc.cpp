// The six exported calls of libQVSIMSC.so. They forward to one process-wide router over the
// pcsc-lite service and, when QUILLON_VIRTUAL_CARD names a card image, a virtual reader listed
// first. InitQVSC reads the environment again, so a new virtual card can be named between
// FreeQVSC and InitQVSC.
#include "readersvc/qvsimsc.h"

#include "readersvc/PcscReaderService.h"
#include "readersvc/ReaderRouter.h"
#include "readersvc/VirtualCardHost.h"

#include <memory>
#include <mutex>

namespace {

struct Services {
    PcscReaderService pcsc;
    std::unique_ptr<VirtualCardHost> virtualCard = VirtualCardHost::fromEnvironment();
    ReaderRouter router{members()};

    std::vector<ReaderRouter::Member> members()
    {
        std::vector<ReaderRouter::Member> m;
        if (VirtualCardHost* v = virtualCard.get())
            m.push_back({v, [v] { return std::vector<std::string>{v->readerName()}; }, [] {}});
        m.push_back({&pcsc, [this] { return pcsc.readers(); }, [this] { pcsc.forgetReader(); }});
        return m;
    }
};

std::mutex servicesMutex;
std::shared_ptr<Services> current;

// The services in use; calls made while another thread re-initialises keep theirs alive.
std::shared_ptr<Services> services(bool fresh = false)
{
    std::lock_guard<std::mutex> lock(servicesMutex);
    if (!current || fresh) current = std::make_shared<Services>();
    return current;
}

}  // namespace

extern "C" {

QVSC_API uint32_t QVSC_CALL InitQVSC(void* hNotify, uint32_t dwIndex)
{
    return services(true)->router.initQVSC(hNotify, dwIndex);
}

QVSC_API uint32_t QVSC_CALL FreeQVSC(void)
{
    services()->router.freeQVSC();
    return 0;
}

QVSC_API uint32_t QVSC_CALL QVConnect(uint32_t hContext, const char* szReader, uint32_t dwShareMode,
                                      uint32_t dwPreferredProtocols, uint32_t* phCard, uint32_t* pdwActiveProtocol)
{
    return services()->router.qvConnect(hContext, szReader, dwShareMode, dwPreferredProtocols, phCard,
                                        pdwActiveProtocol);
}

QVSC_API uint32_t QVSC_CALL QVDisconnect(uint32_t hCard, uint32_t dwDisposition)
{
    return services()->router.qvDisconnect(hCard, dwDisposition);
}

QVSC_API char* QVSC_CALL QVGetReaderList(char* pBuf)
{
    return services()->router.qvGetReaderList(pBuf);
}

QVSC_API uint32_t QVSC_CALL QVSCDoAPDUCmd(const uint8_t* pbCmd, uint32_t dwCmdLen, uint8_t* pbResp,
                                          uint32_t* pdwRespLen)
{
    return services()->router.qvDoApdu(pbCmd, dwCmdLen, pbResp, pdwRespLen);
}
}
