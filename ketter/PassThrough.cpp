#include "ketter/PassThrough.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

namespace {

int ioctlTransport(int fd, sg_io_hdr_t* header) { return ::ioctl(fd, SG_IO, header); }

PassThrough::Area transferArea;
PassThrough::Transport transport = ioctlTransport;

constexpr unsigned kHostTimeOut = 0x03;    // DID_TIME_OUT
constexpr unsigned kDriverTimeOut = 0x06;  // DRIVER_TIMEOUT
constexpr unsigned kDriverSense = 0x08;    // DRIVER_SENSE: sense data came back with the status

}  // namespace

PassThrough::Area& PassThrough::area() { return transferArea; }
void PassThrough::setTransport(Transport t) { transport = t ? t : ioctlTransport; }

void PassThrough::prepare(const uint8_t* cdb, Direction direction, uint32_t transferLength, uint32_t timeoutSeconds)
{
    transferArea = Area{};
    std::memcpy(transferArea.cdb.data(), cdb, 10);
    transferArea.cdbLength = 10;
    transferArea.direction = direction;
    transferArea.transferLength = transferLength;
    transferArea.timeoutSeconds = timeoutSeconds;
}

sg_io_hdr_t PassThrough::header(Area& a)
{
    sg_io_hdr_t h{};
    h.interface_id = 'S';
    h.dxfer_direction = a.transferLength == 0 ? SG_DXFER_NONE
                        : a.direction == Direction::In ? SG_DXFER_FROM_DEV
                                                       : SG_DXFER_TO_DEV;
    h.cmd_len = a.cdbLength;
    h.mx_sb_len = 0;  // no sense data is asked for
    h.dxfer_len = a.transferLength;
    h.dxferp = a.data.data();
    h.cmdp = a.cdb.data();
    h.timeout = a.timeoutSeconds * 1000;
    return h;
}

uint32_t PassThrough::transportError(const sg_io_hdr_t& h)
{
    unsigned driver = h.driver_status & 0x0F;
    if (h.host_status == kHostTimeOut || driver == kDriverTimeOut) return ETIMEDOUT;
    if (h.host_status != 0 || (driver != 0 && driver != kDriverSense)) return EIO;
    return 0;
}

uint32_t PassThrough::send(int fd)
{
    sg_io_hdr_t h = header(transferArea);
    if (transport(fd, &h) != 0) return errno ? static_cast<uint32_t>(errno) : EIO;
    transferArea.scsiStatus = h.status;
    int resid = h.resid < 0 ? 0 : h.resid;
    transferArea.received = transferArea.transferLength > static_cast<uint32_t>(resid) ? transferArea.transferLength - resid : 0;
    return transportError(h);
}
