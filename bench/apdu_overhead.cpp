// What libQVSIMSC.so adds to an APDU exchange: 1000 SELECTs through the library
// (QVSCDoAPDUCmd -> pcscd -> vpcd -> quillon-vsim) against the same 1000 through a plain
// SCardTransmit loop, in the same run; the ratio is printed at the end (goal: within 10 %).
// Needs a running pcscd with the vsmartcard-vpcd driver; quillon-vsim is started here when the
// reader "Virtual PCD 00 00" holds no card.
#include "sim/ReaderServiceLibrary.h"

#include <PCSC/winscard.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kReader = "Virtual PCD 00 00";
const uint8_t kSelectMf[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
constexpr int kApdus = 1000;

bool cardPresent()
{
    SCARDCONTEXT ctx = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &ctx) != SCARD_S_SUCCESS) return false;
    SCARD_READERSTATE rs{};
    rs.szReader = kReader;
    rs.dwCurrentState = SCARD_STATE_UNAWARE;
    bool present = SCardGetStatusChange(ctx, 0, &rs, 1) == SCARD_S_SUCCESS && (rs.dwEventState & SCARD_STATE_PRESENT);
    SCardReleaseContext(ctx);
    return present;
}

// quillon-vsim started by this program (killed by its PID at the end), or 0.
pid_t startedCard = 0;

bool ensureCard()
{
    if (cardPresent()) return true;
    startedCard = fork();
    if (startedCard == 0) {
        std::string bin = QUILLON_BIN;
        execl((bin + "/quillon-vsim").c_str(), "quillon-vsim", "--image", (bin + "/cards/demo.card").c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 100 && !cardPresent(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return cardPresent();
}

void BM_ThroughLibrary(benchmark::State& state)
{
    static ReaderServiceLibrary lib;
    std::string error;
    if (!lib.loaded() && !lib.load(std::string(QUILLON_BIN) + "/libQVSIMSC.so", error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    uint32_t ctx = lib.initQVSC(nullptr, 0), card = 0, proto = 0;
    if (lib.qvConnect(ctx, kReader, 2, 1, &card, &proto) != 0) {
        state.SkipWithError("no card in the virtual reader");
        return;
    }
    lib.qvDisconnect(card, 0);
    for (auto _ : state) {
        for (int i = 0; i < kApdus; ++i) {
            uint8_t buf[300];
            uint32_t len = sizeof buf;
            if (lib.qvDoApdu(kSelectMf, sizeof kSelectMf, buf, &len) != 0 || buf[0] != 0x9F) {
                state.SkipWithError("exchange failed");
                return;
            }
        }
    }
    lib.freeQVSC();
}

void BM_PlainTransmit(benchmark::State& state)
{
    SCARDCONTEXT ctx = 0;
    SCARDHANDLE card = 0;
    DWORD proto = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &ctx) != SCARD_S_SUCCESS ||
        SCardConnect(ctx, kReader, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, &card, &proto) != SCARD_S_SUCCESS) {
        state.SkipWithError("no card in the virtual reader");
        return;
    }
    for (auto _ : state) {
        for (int i = 0; i < kApdus; ++i) {
            uint8_t buf[300];
            DWORD len = sizeof buf;
            if (SCardTransmit(card, SCARD_PCI_T0, kSelectMf, sizeof kSelectMf, nullptr, buf, &len) != SCARD_S_SUCCESS) {
                state.SkipWithError("exchange failed");
                return;
            }
        }
    }
    SCardDisconnect(card, SCARD_LEAVE_CARD);
    SCardReleaseContext(ctx);
}

// The two take turns, so that a busy machine slows both alike.
constexpr int kRounds = 5;

void registerRounds()
{
    for (int r = 1; r <= kRounds; ++r) {
        benchmark::RegisterBenchmark(("PlainTransmit/round:" + std::to_string(r)).c_str(), BM_PlainTransmit)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark(("ThroughLibrary/round:" + std::to_string(r)).c_str(), BM_ThroughLibrary)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
}

// The console report, keeping the times of each kind of run for the ratio of their medians
// (a median shrugs off the odd round slowed by something else on the machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.error_occurred) continue;
            std::string name = r.benchmark_name();
            times[name.substr(0, name.find('/'))].push_back(r.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double median(const std::string& kind)
    {
        std::vector<double>& v = times[kind];
        if (v.empty()) return 0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    std::map<std::string, std::vector<double>> times;
};

}  // namespace

int main(int argc, char** argv)
{
    registerRounds();
    benchmark::Initialize(&argc, argv);
    if (!ensureCard()) std::fprintf(stderr, "no card in \"%s\": is pcscd running with vsmartcard-vpcd?\n", kReader);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double plain = reporter.median("PlainTransmit");
    double lib = reporter.median("ThroughLibrary");
    if (plain > 0 && lib > 0)
        std::printf("library / plain SCardTransmit for %d APDUs: %.3f (%.1f %% overhead)\n", kApdus, lib / plain,
                    (lib / plain - 1) * 100);
    if (startedCard > 0) {
        kill(startedCard, SIGTERM);
        waitpid(startedCard, nullptr, 0);
    }
    benchmark::Shutdown();
    return 0;
}
