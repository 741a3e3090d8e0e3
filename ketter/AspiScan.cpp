#include "ketter/AspiScan.h"

#include "ketter/AspiAbi.h"
#include "ketter/AspiCommand.h"
#include "ketter/AspiManager.h"
#include "ketter/KetterOutput.h"

#include <cstdio>

namespace {
uint8_t foundAdapter = 0;
uint8_t foundTarget = 0;
}  // namespace

uint8_t AspiScan::adapter() { return foundAdapter; }
uint8_t AspiScan::target() { return foundTarget; }
intptr_t AspiScan::address() { return foundAdapter * 16 + foundTarget; }

void AspiScan::forget()
{
    foundAdapter = 0;
    foundTarget = 0;
}

unsigned AspiScan::targetCount(uint8_t uniqueByte3) { return (uniqueByte3 == 8 || uniqueByte3 == 16) ? uniqueByte3 : 8; }

std::string AspiScan::field(const uint8_t* bytes, size_t size)
{
    while (size > 0 && (bytes[size - 1] == ' ' || bytes[size - 1] == 0)) --size;
    return std::string(reinterpret_cast<const char*>(bytes), size);
}

bool AspiScan::adapterReady(uint8_t adapter, unsigned& targets)
{
    SRB_HAInquiry inquiry{};
    inquiry.SRB_Cmd = SC_HA_INQUIRY;
    inquiry.SRB_HaId = adapter;
    AspiManager::send(&inquiry);
    if (inquiry.SRB_Status != SS_COMP) return false;
    targets = targetCount(inquiry.HA_Unique[3]);
    return true;
}

bool AspiScan::isDiskOrCdRom(uint8_t adapter, uint8_t target)
{
    SRB_GDEVBlock query{};
    query.SRB_Cmd = SC_GET_DEV_TYPE;
    query.SRB_HaId = adapter;
    query.SRB_Target = target;
    AspiManager::send(&query);
    return query.SRB_Status == SS_COMP && (query.SRB_DeviceType == DTYPE_DASD || query.SRB_DeviceType == DTYPE_CDROM);
}

bool AspiScan::isDirectAccess(uint8_t adapter, uint8_t target, uint8_t* reply)
{
    const uint8_t inquiry[6] = {0x12, 0x00, 0x00, 0x00, kInquiryLength, 0x00};
    if (!AspiCommand::run(adapter, target, SRB_DIR_IN, kInquiryLength, reply, inquiry, sizeof inquiry)) return false;
    return (reply[0] & 0x1F) == DTYPE_DASD;
}

bool AspiScan::run()
{
    if (!AspiManager::loaded()) return false;
    uint32_t info = AspiManager::supportInfo();
    if (((info >> 8) & 0xFF) != SS_COMP) return false;
    unsigned adapters = info & 0xFF;
    for (unsigned a = 0; a < adapters; ++a) {
        unsigned targets = 0;
        if (!adapterReady(static_cast<uint8_t>(a), targets)) continue;
        for (unsigned t = 0; t < targets; ++t) {
            uint8_t reply[kInquiryLength] = {};
            auto ha = static_cast<uint8_t>(a), id = static_cast<uint8_t>(t);
            if (!isDiskOrCdRom(ha, id) || !isDirectAccess(ha, id, reply)) continue;
            char line[160];
            std::snprintf(line, sizeof line, "[%ld:%ld] %s %s %s\n", static_cast<long>(a), static_cast<long>(t),
                          field(reply + 8, 8).c_str(), field(reply + 16, 16).c_str(), field(reply + 32, 4).c_str());
            KetterOutput::debug(line);
            std::snprintf(line, sizeof line, "AdaptID is %d, TargetID is %d\n", static_cast<int>(a), static_cast<int>(t));
            KetterOutput::debug(line);
            foundAdapter = ha;
            foundTarget = id;
            return true;
        }
    }
    return false;
}
