#include "tests/unit/ketter/fakeaspi/FakeAspi.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr uint8_t kInquiry = 0x12;

const FakeAspiTarget* findTarget(uint8_t adapter, uint8_t target)
{
    for (const auto& t : fakeAspi().targets)
        if (t.adapter == adapter && t.target == target) return &t;
    return nullptr;
}

void finish(SRB_ExecSCSICmd* srb, const FakeAspiOutcome& outcome)
{
    if (outcome.status == SS_COMP && (srb->SRB_Flags & SRB_DIR_IN)) {
        const auto& reply = fakeAspi().reply;
        std::memcpy(srb->SRB_BufPointer, reply.data(), std::min<size_t>(reply.size(), srb->SRB_BufLen));
    }
    srb->SRB_TargStat = outcome.targetStatus;
    srb->SenseArea[2] = outcome.senseKey;
    std::atomic_ref<uint8_t>(srb->SRB_Status).store(outcome.status, std::memory_order_release);
    if (srb->SRB_Flags & SRB_EVENT_NOTIFY) {
        uint64_t one = 1;
        (void)::write(static_cast<int>(reinterpret_cast<intptr_t>(srb->SRB_PostProc)), &one, sizeof one);
    }
}

uint32_t inquiry(SRB_ExecSCSICmd* srb)
{
    const FakeAspiTarget* t = findTarget(srb->SRB_HaId, srb->SRB_Target);
    if (!t) {
        srb->SRB_Status = SS_ERR;
        return SS_ERR;
    }
    uint8_t reply[36] = {};
    reply[0] = t->peripheralType;
    std::memcpy(reply + 8, "QUILLON ", 8);
    std::memcpy(reply + 16, "SIM READER      ", 16);
    std::memcpy(reply + 32, "1.0 ", 4);
    std::memcpy(srb->SRB_BufPointer, reply, std::min<size_t>(sizeof reply, srb->SRB_BufLen));
    srb->SRB_Status = SS_COMP;
    return SS_COMP;
}

uint32_t execute(SRB_ExecSCSICmd* srb)
{
    FakeAspi& fake = fakeAspi();
    FakeAspiCommand sent{{srb->CDBByte, srb->CDBByte + srb->SRB_CDBLen}, srb->SRB_Flags, srb->SRB_HaId, srb->SRB_Target,
                         {srb->SRB_BufPointer, srb->SRB_BufPointer + srb->SRB_BufLen}};
    fake.commands.push_back(sent);
    if (srb->CDBByte[0] == kInquiry) return inquiry(srb);
    FakeAspiOutcome outcome;
    if (!fake.outcomes.empty()) {
        outcome = fake.outcomes.front();
        fake.outcomes.pop_front();
    }
    srb->SRB_Status = SS_PENDING;
    if (outcome.never) return SS_PENDING;
    if (outcome.later) {
        fake.completions.emplace_back([srb, outcome] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            finish(srb, outcome);
        });
        return SS_PENDING;
    }
    finish(srb, outcome);
    return outcome.status;
}

uint32_t haInquiry(SRB_HAInquiry* srb)
{
    FakeAspi& fake = fakeAspi();
    size_t index = srb->SRB_HaId;
    if (index >= fake.adapterUnique3.size()) return srb->SRB_Status = 0x81;  // SS_INVALID_HA
    srb->HA_Unique[3] = fake.adapterUnique3[index];
    srb->SRB_Status = index < fake.adapterStatus.size() ? fake.adapterStatus[index] : SS_COMP;
    return srb->SRB_Status;
}

uint32_t deviceType(SRB_GDEVBlock* srb)
{
    fakeAspi().probed.emplace_back(srb->SRB_HaId, srb->SRB_Target);
    const FakeAspiTarget* t = findTarget(srb->SRB_HaId, srb->SRB_Target);
    srb->SRB_Status = t ? SS_COMP : SS_NO_DEVICE;
    if (t) srb->SRB_DeviceType = t->deviceType;
    return srb->SRB_Status;
}

}  // namespace

std::vector<FakeAspiCommand> FakeAspi::vendorCommands() const
{
    std::vector<FakeAspiCommand> vendor;
    for (const auto& c : commands)
        if (c.cdb.empty() || c.cdb[0] != kInquiry) vendor.push_back(c);
    return vendor;
}

void FakeAspi::reset()
{
    for (auto& t : completions) t.join();
    *this = FakeAspi{};
}

FakeAspi& fakeAspi()
{
    static FakeAspi fake;
    return fake;
}

FAKE_EXPORT uint32_t GetASPI32SupportInfo(void) { return fakeAspi().supportInfo; }

FAKE_EXPORT uint32_t SendASPI32Command(void* request)
{
    auto* header = static_cast<uint8_t*>(request);
    switch (header[0]) {
    case SC_HA_INQUIRY: return haInquiry(static_cast<SRB_HAInquiry*>(request));
    case SC_GET_DEV_TYPE: return deviceType(static_cast<SRB_GDEVBlock*>(request));
    case SC_EXEC_SCSI_CMD: return execute(static_cast<SRB_ExecSCSICmd*>(request));
    case SC_GETSET_TIMEOUTS:
        fakeAspi().timeouts = *static_cast<SRB_GetSetTimeouts*>(request);
        return SS_COMP;
    default: return 0x80;  // SS_INVALID_CMD
    }
}

FAKE_EXPORT int GetASPI32Buffer(ASPI32BUFF* buffer)
{
    fakeAspi().bufferRequests.push_back(buffer->AB_BufLen);
    if (fakeAspi().bufferFails) return 0;
    buffer->AB_BufPointer = new uint8_t[buffer->AB_BufLen];
    return 1;
}

FAKE_EXPORT int FreeASPI32Buffer(ASPI32BUFF* buffer)
{
    ++fakeAspi().buffersFreed;
    delete[] buffer->AB_BufPointer;
    return 1;
}
