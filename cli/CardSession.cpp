#include "cli/CardSession.h"

#include "cli/CliError.h"
#include "shell/AppPaths.h"
#include "sim/ReaderBinding.h"

CardSession::CardSession(const std::string& reader)
{
    std::string error;
    if (!library_.load(libraryPath(), error)) throw CliError(CliError::kCardExit, "cannot load the reader service: " + error);
    ReaderBinding::setService(&library_);
    context_ = ReaderBinding::SimCardInit(nullptr);
    if (context_ == 0) throw CliError(CliError::kCardExit, "the reader service did not start");
    const std::string name = reader.empty() ? firstReader() : reader;
    uint32_t protocol = 0;
    const uint32_t status = ReaderBinding::QVConnect(context_, name, &card_, &protocol);
    if (status != 0) throw CliError::card("connecting to the card in \"" + name + "\"", status);
    connected_ = true;
}

CardSession::~CardSession()
{
    if (connected_) ReaderBinding::QVDisconnect(card_);
    if (context_ != 0) ReaderBinding::SimCardExit();
    ReaderBinding::setService(nullptr);
}

std::string CardSession::libraryPath() { return AppPaths::applicationDir() + "libQVSIMSC.so"; }

std::string CardSession::firstReader()
{
    const std::string list = ReaderBinding::QVGetReaderList();
    const std::string first = list.substr(0, list.find_first_of("\r\n"));
    if (first.empty()) throw CliError(CliError::kCardExit, "no reader found");
    return first;
}
