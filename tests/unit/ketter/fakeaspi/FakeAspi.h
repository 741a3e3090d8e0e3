#pragma once
#include "ketter/AspiAbi.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A scripted ASPI manager for the tests: host adapters, targets and the outcome of each vendor
// command come from the script; every request is recorded.
struct FakeAspiTarget {
    uint8_t adapter = 0;
    uint8_t target = 0;
    uint8_t deviceType = DTYPE_DASD;      // answer to SC_GET_DEV_TYPE
    uint8_t peripheralType = DTYPE_DASD;  // byte 0 of the INQUIRY reply
};

struct FakeAspiOutcome {
    uint8_t status = SS_COMP;
    uint8_t targetStatus = 0;
    uint8_t senseKey = 0;
    bool later = false;  // completes on another thread after SendASPI32Command returned SS_PENDING
    bool never = false;  // stays SS_PENDING for ever
};

struct FakeAspiCommand {
    std::vector<uint8_t> cdb;
    uint8_t flags = 0;
    uint8_t adapter = 0;
    uint8_t target = 0;
    std::vector<uint8_t> data;  // the data buffer as sent
};

struct FakeAspi {
    uint32_t supportInfo = (SS_COMP << 8) | 1;
    std::vector<uint8_t> adapterUnique3 = {8};  // HA_Unique byte 3 of each adapter
    std::vector<uint8_t> adapterStatus;         // SC_HA_INQUIRY status per adapter (default SS_COMP)
    std::vector<FakeAspiTarget> targets;
    std::deque<FakeAspiOutcome> outcomes;       // vendor commands, in order; empty: completed
    std::vector<uint8_t> reply;                 // data a completed vendor command returns
    bool bufferFails = false;

    std::vector<uint32_t> bufferRequests;
    int buffersFreed = 0;
    std::optional<SRB_GetSetTimeouts> timeouts;
    std::vector<std::pair<int, int>> probed;  // (adapter, target) of each SC_GET_DEV_TYPE
    std::vector<FakeAspiCommand> commands;    // every SC_EXEC_SCSI_CMD
    std::vector<std::thread> completions;

    // Vendor commands only (the standard INQUIRY of the scan left out).
    std::vector<FakeAspiCommand> vendorCommands() const;
    void reset();
};

__attribute__((visibility("default"))) FakeAspi& fakeAspi();
