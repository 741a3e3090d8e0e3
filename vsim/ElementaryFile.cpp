#include "vsim/ElementaryFile.h"

ElementaryFile ElementaryFile::records(uint16_t id, uint16_t parent, size_t count, uint8_t length)
{
    ElementaryFile f;
    f.id = id;
    f.parent = parent;
    f.structure = Structure::LinearFixed;
    f.recordLength = length;
    f.body.assign(count * length, 0xFF);
    return f;
}

ElementaryFile ElementaryFile::transparent(uint16_t id, uint16_t parent, size_t size)
{
    ElementaryFile f;
    f.id = id;
    f.parent = parent;
    f.structure = Structure::Transparent;
    f.recordLength = 0;
    f.body.assign(size, 0xFF);
    return f;
}

size_t ElementaryFile::recordCount() const
{
    return recordLength == 0 ? 0 : body.size() / recordLength;
}

std::vector<uint8_t> ElementaryFile::header() const
{
    const size_t size = body.size();
    return {
        0x00, 0x00,                                                          // RFU
        static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size),         // file size
        static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id),             // file id
        0x04,                                                                // type: EF
        0x00,                                                                // RFU
        static_cast<uint8_t>((readAccess << 4) | (updateAccess & 0x0F)),     // READ | UPDATE
        0xFF,                                                                // INCREASE | RFU
        0x44,                                                                // REHABILITATE | INVALIDATE
        static_cast<uint8_t>(invalidated ? 0x00 : 0x01),                     // file status
        0x02,                                                                // bytes following
        static_cast<uint8_t>(structure),
        recordLength,
    };
}
