/* A scripted reader service: one reader "Fake Reader 0", a card that answers 90 00 to everything
 * and echoes the command length in its single data byte. */
#include "readersvc/qvsimsc.h"

#include <string.h>

static uint32_t connected;

uint32_t InitQVSC(void* hNotify, uint32_t dwIndex) { (void)hNotify; return 0x1234 + dwIndex; }
uint32_t FreeQVSC(void) { connected = 0; return 0; }

uint32_t QVConnect(uint32_t hContext, const char* szReader, uint32_t dwShareMode, uint32_t dwPreferredProtocols,
                   uint32_t* phCard, uint32_t* pdwActiveProtocol)
{
    if (hContext != 0x1234 || strcmp(szReader, "Fake Reader 0") != 0 || dwShareMode != 2 || dwPreferredProtocols != 1)
        return 0x8010000C;
    *phCard = 77;
    *pdwActiveProtocol = 1;
    connected = 1;
    return 0;
}

uint32_t QVDisconnect(uint32_t hCard, uint32_t dwDisposition) { return hCard == 77 && dwDisposition == 0 ? 0 : 1; }

char* QVGetReaderList(char* pBuf)
{
    strcpy(pBuf, "Fake Reader 0\nFake Reader 1\n");
    return pBuf;
}

#ifndef WITHOUT_APDU
uint32_t QVSCDoAPDUCmd(const uint8_t* pbCmd, uint32_t dwCmdLen, uint8_t* pbResp, uint32_t* pdwRespLen)
{
    (void)pbCmd;
    if (*pdwRespLen < 3) return 0x80100008;
    pbResp[0] = (uint8_t)dwCmdLen;
    pbResp[1] = 0x90;
    pbResp[2] = 0x00;
    *pdwRespLen = 3;
    return 0;
}
#endif
