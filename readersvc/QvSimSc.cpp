// Placeholder until the PC/SC implementation lands: no reader, no card.
#include "readersvc/qvsimsc.h"

extern "C" {
uint32_t InitQVSC(void*, uint32_t) { return 0; }
uint32_t FreeQVSC(void) { return 0; }
uint32_t QVConnect(uint32_t, const char*, uint32_t, uint32_t, uint32_t*, uint32_t*) { return 1; }
uint32_t QVDisconnect(uint32_t, uint32_t) { return 0; }
char* QVGetReaderList(char* pBuf) { if (pBuf) pBuf[0] = 0; return pBuf; }
uint32_t QVSCDoAPDUCmd(const uint8_t*, uint32_t, uint8_t*, uint32_t* len) { if (len) *len = 0; return 1; }
}
