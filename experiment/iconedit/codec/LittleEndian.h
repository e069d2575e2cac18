#pragma once
// Bounds-checked reading of little-endian fields. Every read states the bytes it needs,
// so a field that lies beyond the data is a refusal, never a read past the end.

#include <QByteArrayView>

#include <cstdint>

namespace kelvane::codec {

class LittleEndian
{
public:
    explicit LittleEndian(QByteArrayView data) : m_data(data) {}

    qint64 size() const { return m_data.size(); }
    // True when `count` bytes starting at `offset` lie inside the data.
    bool holds(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= size() && count <= size() - offset;
    }
    // The callers check holds() first; these read what is there.
    std::uint8_t u8(qint64 offset) const { return std::uint8_t(m_data[offset]); }
    std::uint16_t u16(qint64 offset) const { return std::uint16_t(u8(offset) | (u8(offset + 1) << 8)); }
    std::uint32_t u32(qint64 offset) const
    {
        return std::uint32_t(u16(offset)) | (std::uint32_t(u16(offset + 2)) << 16);
    }
    std::int32_t i32(qint64 offset) const { return std::int32_t(u32(offset)); }
    QByteArrayView slice(qint64 offset, qint64 count) const { return m_data.sliced(offset, count); }

private:
    QByteArrayView m_data;
};

} // namespace kelvane::codec
