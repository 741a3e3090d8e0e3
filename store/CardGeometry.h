#pragma once

// The sizes of the card in the reader, learned when its files are opened.
struct CardGeometry {
    int phoneCapacity = 0;    // records of the phone-book file
    int messageCapacity = 0;  // records of the message file
    int alphaLength = 0;      // bytes of the name part of a phone-book record
};
