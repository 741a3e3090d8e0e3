#include "ketter/AspiCommand.h"

#include "ketter/AspiAbi.h"
#include "ketter/AspiManager.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {
unsigned waitLimitMs = AspiCommand::kWaitMs;
}

// One request with its own copy of the data. When the manager still holds it after the wait,
// the attempt is abandoned (never freed, its event never closed), so a late completion can't
// write into memory or a descriptor that was reused.
struct AspiCommand::Attempt {
    SRB_ExecSCSICmd srb{};
    std::vector<uint8_t> data;
    int event = -1;

    uint8_t status() { return std::atomic_ref<uint8_t>(srb.SRB_Status).load(std::memory_order_acquire); }
};

namespace {

void resetEvent(int event)
{
    uint64_t count;
    while (::read(event, &count, sizeof count) > 0) {
    }
}

// Waits until the request leaves SS_PENDING or the limit passes; true when it finished.
template <typename Attempt>
bool awaitCompletion(Attempt& attempt)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitLimitMs);
    while (attempt.status() == SS_PENDING) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (attempt.event >= 0) {
            pollfd p{attempt.event, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left.count()));
            resetEvent(attempt.event);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

// Attempts the manager never finished; kept reachable for the life of the process.
std::vector<AspiCommand::Attempt*>& abandoned()
{
    static std::vector<AspiCommand::Attempt*> attempts;
    return attempts;
}

bool unitAttention(const SRB_ExecSCSICmd& srb)
{
    return srb.SRB_TargStat == STATUS_CHKCOND && (srb.SenseArea[2] & 0x0F) == KEY_UNITATT;
}

}  // namespace

void AspiCommand::setWaitMs(unsigned ms) { waitLimitMs = ms ? ms : kWaitMs; }

bool AspiCommand::execute(Attempt& attempt)
{
    attempt.event = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (attempt.event >= 0) {
        attempt.srb.SRB_Flags |= SRB_EVENT_NOTIFY;
        attempt.srb.SRB_PostProc = reinterpret_cast<void*>(static_cast<intptr_t>(attempt.event));
    }
    AspiManager::send(&attempt.srb);
    if (!awaitCompletion(attempt)) return false;
    if (attempt.event >= 0) ::close(attempt.event);
    attempt.event = -1;
    return true;
}

AspiCommand::Attempt* AspiCommand::prepare(uint8_t adapter, uint8_t target, uint8_t direction, uint32_t length,
                                            const uint8_t* buffer, const uint8_t* cdb, uint8_t cdbLength)
{
    auto* attempt = new Attempt;
    SRB_ExecSCSICmd& srb = attempt->srb;
    srb.SRB_Cmd = SC_EXEC_SCSI_CMD;
    srb.SRB_HaId = adapter;
    srb.SRB_Flags = direction;
    srb.SRB_Target = target;
    srb.SRB_BufLen = length;
    srb.SRB_SenseLen = SENSE_LEN;
    srb.SRB_CDBLen = cdbLength;
    std::memcpy(srb.CDBByte, cdb, cdbLength);
    attempt->data.assign(buffer, buffer + length);
    srb.SRB_BufPointer = attempt->data.data();
    return attempt;
}

uint32_t AspiCommand::run(uint8_t adapter, uint8_t target, uint8_t direction, uint32_t length, uint8_t* buffer,
                          const uint8_t* cdb, uint8_t cdbLength)
{
    for (int round = 1;; ++round) {
        Attempt* attempt = prepare(adapter, target, direction, length, buffer, cdb, cdbLength);
        if (!execute(*attempt)) {  // still pending: counts as failed, the manager keeps the attempt
            abandoned().push_back(attempt);
            if (round == 2) return 0;
            continue;
        }
        bool done = attempt->status() == SS_COMP;
        if (done && direction == SRB_DIR_IN) std::memcpy(buffer, attempt->data.data(), length);
        bool noRetry = unitAttention(attempt->srb);
        delete attempt;
        if (done) return 1;
        if (round == 2 || noRetry) return 0;
    }
}
