#pragma once
#include "text/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The first input byte picks the code page the texts are converted with; the rest is the
// record. Every record lives in a buffer of exactly its size so that AddressSanitizer sees a
// read past its end.
struct FuzzInput {
    std::vector<uint8_t> record;

    FuzzInput(const uint8_t* data, size_t size)
    {
        static const int codePages[] = {950, 1252, 1251, 936};
        CodePage::setAnsi(size > 0 ? codePages[data[0] % 4] : 1252);
        if (size > 1) record.assign(data + 1, data + size);
    }
};
