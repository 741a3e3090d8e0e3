// e2e_wait_card READER present|absent TIMEOUT_MS: waits until pcscd reports the card in READER
// as present (or absent); exit status 0 when it does in time, 1 otherwise.
#include <PCSC/winscard.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {
// 1 present, 0 absent, -1 unknown (no pcscd, no such reader).
int cardState(const std::string& reader)
{
    SCARDCONTEXT ctx = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &ctx) != SCARD_S_SUCCESS) return -1;
    SCARD_READERSTATE rs{};
    rs.szReader = reader.c_str();
    rs.dwCurrentState = SCARD_STATE_UNAWARE;
    LONG rv = SCardGetStatusChange(ctx, 0, &rs, 1);
    SCardReleaseContext(ctx);
    if (rv != SCARD_S_SUCCESS || (rs.dwEventState & SCARD_STATE_UNKNOWN)) return -1;
    return (rs.dwEventState & SCARD_STATE_PRESENT) ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_wait_card READER present|absent TIMEOUT_MS\n");
        return 2;
    }
    const int wanted = std::string(argv[2]) == "present" ? 1 : 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atol(argv[3]));
    while (std::chrono::steady_clock::now() < deadline) {
        if (cardState(argv[1]) == wanted) return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 1;
}
