/* Reader service: the C interface of libQVSIMSC.so.
 * The program hands it ISO 7816 command APDUs and gets the response APDUs back.
 * Results are 0 on success unless stated otherwise. */
#ifndef QVSIMSC_H
#define QVSIMSC_H

#include <stdint.h>

#if defined(_WIN32)
#define QVSC_API __declspec(dllexport)
#define QVSC_CALL __stdcall
#else
#define QVSC_API __attribute__((visibility("default")))
#define QVSC_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Capacity the caller gives QVGetReaderList's buffer. */
#define QVSC_READER_LIST_SIZE 10240

/** Establishes the service context. hNotify: the caller's notification handle (kept, not used);
 *  dwIndex: 0. Returns the context handle for QVConnect, 0 on failure. */
QVSC_API uint32_t QVSC_CALL InitQVSC(void* hNotify, uint32_t dwIndex);

/** Releases the context and every card connection. Result: 0. */
QVSC_API uint32_t QVSC_CALL FreeQVSC(void);

/** Connects to the card in reader szReader (share mode 2 = shared, protocol 1 = T=0).
 *  Returns 0 when a card is present, and remembers the reader for QVSCDoAPDUCmd. */
QVSC_API uint32_t QVSC_CALL QVConnect(uint32_t hContext, const char* szReader, uint32_t dwShareMode,
                                      uint32_t dwPreferredProtocols, uint32_t* phCard,
                                      uint32_t* pdwActiveProtocol);

/** Ends a connection made by QVConnect (disposition 0 = leave the card). Result: 0 or an error. */
QVSC_API uint32_t QVSC_CALL QVDisconnect(uint32_t hCard, uint32_t dwDisposition);

/** Writes the reader names, one per line, zero-terminated, into pBuf (QVSC_READER_LIST_SIZE bytes).
 *  When QUILLON_VIRTUAL_CARD names a card image, "Quillon Virtual Reader 0" comes first.
 *  Returns pBuf. */
QVSC_API char* QVSC_CALL QVGetReaderList(char* pBuf);

/** Sends one command APDU to the card in the reader last named by QVConnect (the first reader
 *  when none was named), connecting on demand. On T=0 the card's 61xx / 9Fxx come back as they
 *  are (no automatic GET RESPONSE).
 *  *pdwRespLen: in, the capacity of pbResp; out, the bytes received (response data, then SW1 SW2).
 *  A response larger than the capacity is not written: the result is SCARD_E_INSUFFICIENT_BUFFER
 *  and *pdwRespLen the size needed.
 *  The pseudo-command 00 02 00 00 02 00 00 returns the card's answer to reset.
 *  Returns 0 when the exchange took place, otherwise a PC/SC error (no card, card removed,
 *  reader or service gone); the low 16 bits of an error are never 0. */
QVSC_API uint32_t QVSC_CALL QVSCDoAPDUCmd(const uint8_t* pbCmd, uint32_t dwCmdLen, uint8_t* pbResp,
                                          uint32_t* pdwRespLen);

#ifdef __cplusplus
}
#endif

#endif
