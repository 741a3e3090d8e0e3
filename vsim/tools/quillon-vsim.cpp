// quillon-vsim: serves a card image to pcscd through the vsmartcard-vpcd reader driver, so the
// card appears in the PC/SC reader "Virtual PCD 00 00" (port 35963) like a real one.
#include "vsim/CardImageFile.h"
#include "vsim/VpcdClient.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kUsage =
    "usage: quillon-vsim --image FILE [options]\n"
    "  --image FILE            card image to serve (vsim/CARD_IMAGE_FORMAT.md)\n"
    "  --host HOST             where vpcd listens (default 127.0.0.1)\n"
    "  --port N                vpcd port (default 35963: reader \"Virtual PCD 00 00\")\n"
    "  --connect-timeout-ms N  how long to keep trying to reach vpcd (default 10000)\n"
    "  --latency-ms N          wait before answering each APDU\n"
    "  --save                  write the card back to the image when it ends\n"
    "faults:\n"
    "  --echo-ins              READ RECORD and GET RESPONSE data preceded by the instruction byte\n"
    "  --zero-record-length    file headers report record length 0\n"
    "  --error-at-record N     READ RECORD of record N answers 6F 00\n"
    "  --pull-after N          the card is pulled after N APDUs\n"
    "  --short-responses       response data cut to half its length\n";

struct Options {
    std::string image, host = "127.0.0.1";
    uint16_t port = VpcdClient::kDefaultPort;
    uint32_t connectTimeoutMs = 10000, latencyMs = 0;
    bool save = false;
    CardFaults faults;
};

VpcdClient* running = nullptr;

void onSignal(int)
{
    if (running) running->stop();
}

bool number(const char* text, unsigned long max, uint32_t& out)
{
    char* end = nullptr;
    errno = 0;
    unsigned long v = std::strtoul(text, &end, 10);
    if (!*text || *end || errno || v > max) return false;
    out = static_cast<uint32_t>(v);
    return true;
}

// Parses the command line; false (after a message) when it is wrong.
bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        uint32_t n = 0;
        auto numeric = [&](unsigned long max) {
            if (!value || !number(value, max, n)) return false;
            ++i;
            return true;
        };
        if (a == "--image" && value) o.image = argv[++i];
        else if (a == "--host" && value) o.host = argv[++i];
        else if (a == "--port" && numeric(65535)) o.port = static_cast<uint16_t>(n);
        else if (a == "--connect-timeout-ms" && numeric(86400000)) o.connectTimeoutMs = n;
        else if (a == "--latency-ms" && numeric(60000)) o.latencyMs = n;
        else if (a == "--error-at-record" && numeric(254)) o.faults.errorAtRecord = n;
        else if (a == "--pull-after" && numeric(0xFFFFFFFF)) o.faults.pullAfter = n;
        else if (a == "--save") o.save = true;
        else if (a == "--echo-ins") o.faults.echoInstruction = true;
        else if (a == "--zero-record-length") o.faults.zeroRecordLength = true;
        else if (a == "--short-responses") o.faults.shortResponses = true;
        else {
            std::fprintf(stderr, "quillon-vsim: bad argument '%s'\n%s", a.c_str(), kUsage);
            return false;
        }
    }
    if (o.image.empty()) std::fprintf(stderr, "quillon-vsim: --image is required\n%s", kUsage);
    return !o.image.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) return 2;
    CardImage image;
    std::string error;
    if (!CardImageFile::load(o.image, image, error)) {
        std::fprintf(stderr, "quillon-vsim: %s\n", error.c_str());
        return 2;
    }
    VirtualCard card(image);
    VpcdClient client(card, o.faults, o.latencyMs);
    running = &client;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    VpcdClient::End end = client.run(o.host, o.port, o.connectTimeoutMs);
    if (o.save && card.changed() && !CardImageFile::save(card.image(), o.image, error))
        std::fprintf(stderr, "quillon-vsim: %s\n", error.c_str());
    switch (end) {
    case VpcdClient::End::ConnectFailed:
        std::fprintf(stderr, "quillon-vsim: no vpcd at %s:%u\n", o.host.c_str(), unsigned(o.port));
        return 1;
    case VpcdClient::End::Pulled: std::fprintf(stderr, "quillon-vsim: card pulled\n"); return 0;
    default: return 0;
    }
}
