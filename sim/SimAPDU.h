#pragma once
#include <cstdint>

// The single card exchange. Sends the command `pcInBuf` (`dwSize` bytes) through the reader
// service; `pcOutBuf` receives the response data followed by SW1 SW2. `*length` is the capacity on
// entry (the buffer is zero-filled over it) and the bytes received on return, never more than
// the capacity. Returns the low 16 bits of the service's result: 0 when the exchange took place.
uint16_t SimAPDU(const uint8_t* pcInBuf, uint32_t dwSize, uint8_t* pcOutBuf, uint32_t* length);
