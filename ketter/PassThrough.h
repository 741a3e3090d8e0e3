#pragma once
#include <scsi/sg.h>

#include <array>
#include <cstdint>

// The SG_IO transport of the NT generations. One module-level transfer area serves every command:
// it is cleared at the start of each one and holds at most 256 data bytes.
class PassThrough {
public:
    static constexpr uint32_t kDataSize = 256;
    static constexpr uint32_t kInquiryLength = 255;
    static constexpr uint32_t kInquiryTimeoutSeconds = 2;
    static constexpr uint32_t kDataTimeoutSeconds = 10;

    enum class Direction { In, Out };

    struct Area {
        std::array<uint8_t, 16> cdb{};
        uint8_t cdbLength = 0;
        Direction direction = Direction::In;
        uint32_t transferLength = 0;
        uint32_t timeoutSeconds = 0;
        uint8_t scsiStatus = 0;  // set after the command
        uint32_t received = 0;   // data bytes the device returned
        std::array<uint8_t, kDataSize> data{};
    };

    // The SG_IO call; returns 0 or -1 with errno, like ioctl.
    using Transport = int (*)(int fd, sg_io_hdr_t* header);

    static Area& area();
    // Clears the area and fills it for a 10-byte command block.
    static void prepare(const uint8_t* cdb, Direction direction, uint32_t transferLength, uint32_t timeoutSeconds);
    // SG_IO header for the prepared area.
    static sg_io_hdr_t header(Area& area);
    // Sends the prepared area; 0 when the driver completed it, else an errno value. A bad SCSI
    // status alone counts as completed; a transport failure (time-out, device gone) does not.
    static uint32_t send(int fd);
    // Replaces the ioctl (tests); nullptr restores it.
    static void setTransport(Transport transport);

private:
    static uint32_t transportError(const sg_io_hdr_t& header);
};
