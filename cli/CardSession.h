#pragma once
#include "sim/ReaderServiceLibrary.h"

#include <cstdint>
#include <string>

// The reader service library loaded from the tool's directory, its context and one card
// connection, released in reverse order. Failures are card errors (exit 1).
class CardSession {
public:
    // `reader` empty: the first reader the service lists.
    explicit CardSession(const std::string& reader);
    ~CardSession();
    CardSession(const CardSession&) = delete;
    CardSession& operator=(const CardSession&) = delete;

    static std::string libraryPath();

private:
    static std::string firstReader();

    ReaderServiceLibrary library_;
    uint32_t context_ = 0;
    uint32_t card_ = 0;
    bool connected_ = false;
};
