/* The ASPI manager interface as this library uses it: the request blocks and status codes of the
 * published ASPI for Win32 interface, packed to single bytes, with native pointer sizes. The
 * manager is a shared library exporting the four entry points below with C linkage.
 * On this platform the completion event of SRB_EVENT_NOTIFY is an eventfd descriptor carried in
 * SRB_PostProc; the manager signals it by writing a count of 1. */
#ifndef KETTER_ASPIABI_H
#define KETTER_ASPIABI_H

#include <stdint.h>

#define SC_HA_INQUIRY 0x00
#define SC_GET_DEV_TYPE 0x01
#define SC_EXEC_SCSI_CMD 0x02
#define SC_GETSET_TIMEOUTS 0x08

#define SS_PENDING 0x00
#define SS_COMP 0x01
#define SS_ERR 0x04
#define SS_NO_DEVICE 0x82
#define SS_NO_ADAPTERS 0xE8
#define SS_INSUFFICIENT_RESOURCES 0xE9

#define SRB_DIR_IN 0x08
#define SRB_DIR_OUT 0x10
#define SRB_EVENT_NOTIFY 0x40

#define DTYPE_DASD 0x00
#define DTYPE_CDROM 0x05

#define SENSE_LEN 14
#define STATUS_CHKCOND 0x02
#define KEY_UNITATT 0x06

/* The fields every request block begins with. */
#define SRB_HEADER_FIELDS \
    uint8_t SRB_Cmd;      \
    uint8_t SRB_Status;   \
    uint8_t SRB_HaId;     \
    uint8_t SRB_Flags;    \
    uint32_t SRB_Hdr_Rsvd;

#pragma pack(push, 1)

typedef struct {
    SRB_HEADER_FIELDS
    uint8_t HA_Count;
    uint8_t HA_SCSI_ID;
    uint8_t HA_ManagerId[16];
    uint8_t HA_Identifier[16];
    uint8_t HA_Unique[16];
    uint16_t HA_Rsvd1;
} SRB_HAInquiry;

typedef struct {
    SRB_HEADER_FIELDS
    uint8_t SRB_Target;
    uint8_t SRB_Lun;
    uint8_t SRB_DeviceType;
    uint8_t SRB_Rsvd1;
} SRB_GDEVBlock;

typedef struct {
    SRB_HEADER_FIELDS
    uint8_t SRB_Target;
    uint8_t SRB_Lun;
    uint16_t SRB_Rsvd1;
    uint32_t SRB_BufLen;
    uint8_t* SRB_BufPointer;
    uint8_t SRB_SenseLen;
    uint8_t SRB_CDBLen;
    uint8_t SRB_HaStat;
    uint8_t SRB_TargStat;
    void* SRB_PostProc;
    uint8_t SRB_Rsvd2[20];
    uint8_t CDBByte[16];
    uint8_t SenseArea[SENSE_LEN + 2];
} SRB_ExecSCSICmd;

typedef struct {
    SRB_HEADER_FIELDS
    uint8_t SRB_Target;
    uint8_t SRB_Lun;
    uint32_t SRB_Timeout;
} SRB_GetSetTimeouts;

typedef struct {
    uint8_t* AB_BufPointer;
    uint32_t AB_BufLen;
    uint32_t AB_ZeroFill;
    uint32_t AB_Reserved;
} ASPI32BUFF;

#pragma pack(pop)

typedef uint32_t (*GetASPI32SupportInfoFn)(void);
typedef uint32_t (*SendASPI32CommandFn)(void* srb);
typedef int (*GetASPI32BufferFn)(ASPI32BUFF* buffer);
typedef int (*FreeASPI32BufferFn)(ASPI32BUFF* buffer);

#endif
