/* Ketter: the reader driver library of the USB SIM card reader (vendor 7E5D, product 5B21).
 *
 * It finds the reader in sysfs and talks to it with three vendor SCSI commands (inquiry, data read,
 * data write), through the SG_IO ioctl of the reader's storage node, or through an ASPI manager
 * library ("WNASPI32", found by dlopen as libWNASPI32.so) on the legacy platform generation.
 *
 * Platform generation: 2 ("NT 6", the default), 1 ("NT classic") or 0 ("legacy", ASPI). The
 * environment variable QUILLON_KETTER_GENERATION (0, 1 or 2) forces one; it is read at every call.
 * The sysfs root is /sys unless QUILLON_SYSFS_ROOT names another directory.
 *
 * Memory blocks returned by this library come from calloc and belong to the caller, who releases
 * them with free(). Failures are reported by the results only; the library keeps the last error
 * code and text internally. The exports are not reentrant: use them from one thread at a time. */
#ifndef KETTER_H
#define KETTER_H

#include <stdint.h>

#define KETTER_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/** Handle of an opened reader: a file descriptor (NT generations) or an ASPI address (legacy). */
typedef intptr_t KetterHandle;

/** Looks for the reader. The argument (normally "7E5D") is not read: the library matches its own
 *  vendor and product ids. Returns the path of the reader's storage device node ("/dev/sdb"; on the
 *  legacy generation the USB device node itself) in a zero-filled calloc block the caller frees,
 *  or NULL when no reader is attached or a step failed. */
KETTER_API char* FindDeviceEntry(const char* vendorId);

/** Opens the device node `path` for reading and writing. NT generations: the descriptor, or 0 on
 *  failure (the caller closes it with close()). Legacy: after InitASPI, runs the ASPI device scan
 *  and returns adapter * 16 + target, or -1 when nothing is found or `path` is NULL. */
KETTER_API KetterHandle OpenRV570X(const char* path);

/** Sends the inquiry command. Returns the reply in a zero-filled calloc block the caller frees and
 *  its length in *length, or NULL on failure. NT generations: the block is one byte longer than the
 *  reply and ends in 0; NT classic also refuses a reply beginning with 0xFF. */
KETTER_API uint8_t* SIM_InquiryFunctions(KetterHandle handle, uint32_t* length);

/** Reads `length` bytes (at most 256 on the NT generations) into `buffer` with the vendor read
 *  command; the selector byte is (cdbByte1High << 4) + cdbByte1Low. Returns 1 done, 0 failed. */
KETTER_API uint32_t SIM_ReadData(KetterHandle handle, uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                                 uint8_t cdbByte1High, uint8_t cdbByte1Low);

/** Writes `length` bytes (at most 256 on the NT generations) from `buffer` with the vendor write
 *  command; an odd length is padded with one zero byte. Returns 1 done, 0 failed. */
KETTER_API uint32_t SIM_WriteData(KetterHandle handle, const uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                                  uint8_t cdbByte1High, uint8_t cdbByte1Low);

/** Tests bit `index` of `bitmap` (bit 0 = least significant bit of byte 0). Returns 0 for a clear
 *  bit and the bit's own value (1, 2, 4 ... 128) for a set one. `bitmap` holds index / 8 + 1 bytes. */
KETTER_API uint32_t GET_BLOCK_STATUS(const uint8_t* bitmap, uint32_t index);

/** Loads the ASPI manager and prepares it. Returns 1 when ready, 0 after printing an error
 *  ("Sim Card R/W: ...") on stderr. Needed before OpenRV570X on the legacy generation. */
KETTER_API uint32_t InitASPI(void);

/** Releases the ASPI buffer and unloads the manager. Returns non-zero when a manager was unloaded,
 *  0 when none was loaded. */
KETTER_API uint32_t TermASPI(void);

#ifdef __cplusplus
}
#endif

#endif
