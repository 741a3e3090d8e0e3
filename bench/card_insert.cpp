// From the card-inserted notice to both card lists filled (250 phone-book records, 50 messages),
// with the prescribed pauses off, on the in-process virtual card. Prints the time and the APDUs.
#include "shell/app/QtPacer.h"
#include "tests/gui/cardflow/CardFlowBench.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

CardImage fullCard()
{
    return CardImage::blank(250, 50);
}

void fill(CardFlowBench& b)
{
    std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>> contacts;
    for (uint32_t i = 1; i <= 250; ++i) contacts.push_back({i, {"Contact " + std::to_string(i), "09" + std::to_string(10000000 + i)}});
    b.rig.setPhoneRecords(contacts);
    std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>> messages;
    for (uint32_t i = 1; i <= 50; ++i) messages.push_back({i, {"Message number " + std::to_string(i), "09" + std::to_string(10000000 + i)}});
    b.rig.setMessages(messages);
}

void BM_CardInsertedToListsFilled(benchmark::State& state)
{
    CardFlowBench b(fullCard());
    fill(b);
    QtPacer pacer;
    pacer.setPacing(false);
    Pacer::setCurrent(&pacer);
    int apdus = 0;
    for (auto _ : state) {
        state.PauseTiming();
        b.connection.cardPresent = false;
        b.connection.lastNoCardTime.reset();
        b.views->clearPhone();
        b.views->clearMessages();
        b.w.btnPhone->setProperty("Tag", 0);
        b.w.btnMessage->setProperty("Tag", 0);
        b.progress->hide();
        b.rig.apdus = 0;
        state.ResumeTiming();

        b.flow->handleNotice(true);
        b.flow->modeCardStep(false);
        benchmark::DoNotOptimize(b.w.etSimMessage->table().size());

        state.PauseTiming();
        apdus = b.rig.apdus;
        if (b.w.etSim_Show->table().size() != 250 || b.w.etSimMessage_Show->table().size() != 50) {
            state.SkipWithError("the card lists were not filled");
        }
        b.flow->modeCardStep(true);
        state.ResumeTiming();
    }
    state.counters["apdus"] = apdus;
    Pacer::setCurrent(&b.pacer);
}
BENCHMARK(BM_CardInsertedToListsFilled)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
